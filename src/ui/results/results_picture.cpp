#include "ui/results/results_picture.h"

#include <QFileInfo>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <optional>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "results/orvo_output_data.h"
#include "results/results_colouring.h"
#include "ui/network/network_picture.h"
#include "ui/results/results_legend.h"
#include "ui/shell/qt_platform.h"

namespace orvo::ui {

namespace {

bool Exists(const std::string& path) {
  return QFileInfo::exists(FromLocalPath(path));
}

}  // namespace

bool ExportResultsPicture(const COrvoBuilderDoc& document, const QString& out,
                          const std::string& run_path, const std::string& variable, double time,
                          Platform& platform, QString& error) {
  // A run path is a deck's path without extension, dots and all; a deck or output file named
  // instead is taken for its run.
  std::string path = run_path;
  const QString suffix = QFileInfo(FromLocalPath(run_path)).suffix().toLower();
  if (!Exists(path + ".inp") && (suffix == "inp" || suffix == "out")) {
    path = OrvoOutputData::StripExtension(run_path);
  }
  OrvoOutputData run(path);
  run.basename = path;
  if (!run.ReadInputData(platform) || !run.ReadOutputData(platform)) {
    error = QStringLiteral("Cannot read the results of the run ") + FromLocalPath(path);
    return false;
  }
  const std::optional<VariableRef> found = FindVariable(run, variable);
  if (!found) {
    QStringList names;
    for (OutputTable table : {OutputTable::kModel, OutputTable::kTransport}) {
      for (int v = 0; v < run.GetNumVariables(table); ++v) {
        names << QString::fromStdString(run.GetName(table, v));
      }
    }
    error = QStringLiteral("The run %1 has no variable \"%2\"; its variables are: %3")
                .arg(FromLocalPath(path), QString::fromStdString(variable),
                     names.join(QStringLiteral(", ")));
    return false;
  }
  const std::vector<double>& times = run.Times(found->table);
  if (times.empty()) {
    error = QStringLiteral("The run %1 has no output times").arg(FromLocalPath(path));
    return false;
  }
  const ResultsColouring colouring =
      ColourResults(run, found->table, found->variable, NearestTimeStep(times, time));
  PictureDecoration decoration;
  decoration.segment_fill = SegmentFillColours(colouring);
  decoration.legend_size = LegendSize();
  const LegendContent legend = LegendOf(colouring);
  decoration.paint_legend = [legend](QPainter& painter, const QRectF& area) {
    PaintColourLegend(painter, area, legend);
  };
  return ExportNetworkPicture(document, out, error, &decoration);
}

int ExportResultsPictureCommand(const QStringList& arguments) {
  constexpr int kUsageError = 2;
  if (arguments.size() != 8) return kUsageError;
  std::optional<QString> run_path, variable, time_text;
  for (qsizetype i = 2; i + 1 < arguments.size(); i += 2) {
    std::optional<QString>* option = arguments[i] == QLatin1String("--results")    ? &run_path
                                     : arguments[i] == QLatin1String("--variable") ? &variable
                                     : arguments[i] == QLatin1String("--time")     ? &time_text
                                                                                   : nullptr;
    if (option == nullptr || option->has_value()) return kUsageError;
    *option = arguments[i + 1];
  }
  bool number = false;
  const double time = time_text->toDouble(&number);  // always the C locale
  if (!number || !std::isfinite(time)) {
    std::fprintf(stderr, "orvobuilder: --time needs a model time in days, not \"%s\"\n",
                 time_text->toLocal8Bit().constData());
    return kUsageError;
  }
  ScriptedPlatform platform;
  platform.default_answer = false;
  platform.echo = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  COrvoBuilderDoc document(platform);
  if (!document.Load(LocalPath(arguments[0]))) return 1;
  QString error;
  if (!ExportResultsPicture(document, arguments[1], LocalPath(*run_path), variable->toStdString(),
                            time, platform, error)) {
    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

}  // namespace orvo::ui
