// CReportChildFrame: the window of a report document, an MDI child holding its form
// (CORVOReportView). The report's file commands (save, save as, close with the question) are
// carried out here; the main frame routes them to the active report window.
#pragma once

#include <QMdiSubWindow>
#include <QString>
#include <memory>

#include "results/orvo_report_doc.h"

namespace orvo {
class Platform;
}

namespace orvo::ui {

class CORVOReportView;

// ".orr" in any case of its letters.
bool IsReportFile(const QString& path);
// The chooser filter of report files, from the report type's resource text.
QString ReportFilter();

// Reads a report file off the window's thread (its runs may be large), with progress and
// Cancel. null after the core's messages when the file cannot be opened or its reading was
// stopped; the document's messages go to platform afterwards.
std::unique_ptr<CORVOReportDoc> ReadReportFile(QWidget* parent, Platform& platform,
                                               const QString& path);

class CReportChildFrame : public QMdiSubWindow {
  Q_OBJECT

 public:
  // path is empty for a new report, which is shown as untitled_name until saved.
  CReportChildFrame(std::unique_ptr<CORVOReportDoc> document, const QString& path,
                    const QString& untitled_name, Platform& platform, QWidget* parent = nullptr);
  ~CReportChildFrame() override;

  CORVOReportDoc& document() const { return *document_; }
  CORVOReportView* view() const { return view_; }
  const QString& path() const { return path_; }
  QString DisplayName() const;
  void RefreshTitle();

  // Saves to path (the report's own when empty, the chooser when it has none); a name without
  // an extension gets ".orr". A failed save keeps the report modified.
  bool Save(const QString& path = {});
  bool SaveAs();
  // Closes the window; a modified report asks first (Yes saves, No discards, Cancel keeps).
  // false when it stays open.
  bool CloseReport();

 signals:
  // The report took a file name (opened or saved): for the recent-file list.
  void Saved(const QString& path);
  // Its title or modified state may have changed.
  void StateChanged();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  bool AskToSave();

  std::unique_ptr<CORVOReportDoc> document_;
  Platform& platform_;
  QString path_;
  QString untitled_name_;
  CORVOReportView* view_;
  bool asked_ = false;  // the question on closing was answered
};

}  // namespace orvo::ui
