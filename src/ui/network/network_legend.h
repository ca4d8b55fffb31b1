// NetworkLegend: what every symbol and line colour of the network map means, drawn with the
// map's own pictures and colours. The main window shows it in a dock (View > Legend).
#pragma once

#include <QString>
#include <QWidget>
#include <vector>

namespace orvo::ui {

class NetworkLegend : public QWidget {
  Q_OBJECT

 public:
  explicit NetworkLegend(QWidget* parent = nullptr);
  ~NetworkLegend() override;
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The explanations in their order, for tests.
  QStringList Texts() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  struct Entry;
  std::vector<Entry> entries_;
};

}  // namespace orvo::ui
