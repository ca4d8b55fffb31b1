// The network picture with results: segments filled by the value of one variable at one time
// of a run, with the legend below. For orvobuilder --export-picture ... --results.
#pragma once

#include <QString>
#include <QStringList>
#include <string>

namespace orvo {
class COrvoBuilderDoc;
class Platform;
}  // namespace orvo

namespace orvo::ui {

// Reads the run at run_path (a deck's path without extension; ".inp" or ".out" is dropped),
// finds the variable as the output viewer lists it and draws the output time nearest to time
// (days). false with the reason in error; reading problems also go to platform.
bool ExportResultsPicture(const COrvoBuilderDoc& document, const QString& out,
                          const std::string& run_path, const std::string& variable, double time,
                          Platform& platform, QString& error);

// orvobuilder --export-picture PROJECT OUT --results RUNPATH --variable NAME --time T, from the
// arguments after "--export-picture". 0 on success, 1 with a message on standard error, 2 for
// a usage error.
int ExportResultsPictureCommand(const QStringList& arguments);

}  // namespace orvo::ui
