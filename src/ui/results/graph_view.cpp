#include "ui/results/graph_view.h"

#include <QAction>
#include <QApplication>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QDateTimeAxis>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QIntValidator>
#include <QLabel>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPdfWriter>
#include <QPushButton>
#include <QRubberBand>
#include <QSet>
#include <QSvgGenerator>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <utility>

#include "results/chart_layout.h"

namespace orvo::ui {
namespace {

constexpr double kMsPerDay = 86400000.0;
constexpr int kMaxLegendSeries = 30;  // beyond this a legend hides the chart it explains
constexpr int kMarkedPoints = 60;     // up to this many points each one is marked

QString Text(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Ten distinct colours for a few series; many series (a time step each) run along a
// perceptually ordered scale from dark blue to yellow instead.
QColor SeriesColor(const ChartDescription& d, int s) {
  if (s < static_cast<int>(d.series_colors.size())) {
    const QColor chosen(Text(d.series_colors[s]));
    if (!d.series_colors[s].empty() && chosen.isValid()) return chosen;
  }
  static const QColor kDistinct[] = {"#1f77b4", "#ff7f0e", "#2ca02c", "#d62728", "#9467bd",
                                     "#8c564b", "#e377c2", "#7f7f7f", "#bcbd22", "#17becf"};
  if (d.series() <= 10) return kDistinct[s % 10];
  static const QColor kScale[] = {"#440154", "#3b528b", "#21918c", "#5ec962", "#fde725"};
  const double t = 4.0 * s / std::max(d.series() - 1, 1);
  const int i = std::min(static_cast<int>(t), 3);
  const double f = t - i;
  const QColor a = kScale[i], b = kScale[i + 1];
  return QColor::fromRgbF(static_cast<float>(a.redF() + f * (b.redF() - a.redF())),
                          static_cast<float>(a.greenF() + f * (b.greenF() - a.greenF())),
                          static_cast<float>(a.blueF() + f * (b.blueF() - a.blueF())));
}

// "yyyy-mm-dd hh:mm"; a year below 1000 counts from a year of 365 days whose number is not
// shown (decks give a start day of the year only).
struct StartDate {
  QDateTime when;
  bool year_known = false;
};

std::optional<StartDate> ParseStartDate(const std::string& text) {
  if (text.empty()) return std::nullopt;
  const QString value = Text(text);
  const int year = value.left(4).toInt();
  const int years_on = year < 1000 ? year : 0;
  const QString shifted = year < 1000 ? QStringLiteral("2001") + value.mid(4) : value;
  QDateTime when = QDateTime::fromString(shifted, QStringLiteral("yyyy-MM-dd hh:mm"));
  if (!when.isValid()) return std::nullopt;
  when.setTimeSpec(Qt::UTC);
  return StartDate{when.addDays(365LL * years_on), year >= 1000};
}

// "yyyy:mm:dd[:hh:nn[:ss]]" added n times.
QDateTime AddIncrement(const QDateTime& start, const std::string& increment, int n) {
  const QStringList parts = Text(increment).split(u':');
  const auto part = [&](int i) { return i < parts.size() ? parts[i].toLongLong() : 0LL; };
  QDateTime when = start.addYears(static_cast<int>(part(0) * n));
  when = when.addMonths(static_cast<int>(part(1) * n)).addDays(part(2) * n);
  return when.addSecs((part(3) * 3600 + part(4) * 60 + part(5)) * n);
}

QString DateFormat(const StartDate& start, bool with_time) {
  QString format = start.year_known ? QStringLiteral("M/d/yy") : QStringLiteral("M/d");
  if (with_time) format += QStringLiteral(" hh:mm");
  return format;
}

// A step of 1, 2 or 5 times a power of ten near span / count.
double NiceStep(double span, int count) {
  const double raw = span / std::max(count, 1);
  if (!(raw > 0) || !std::isfinite(raw)) return 1;
  const double power = std::pow(10.0, std::floor(std::log10(raw)));
  const double fraction = raw / power;
  return (fraction < 1.5 ? 1 : fraction < 3.5 ? 2 : fraction < 7.5 ? 5 : 10) * power;
}

// Limits with room: equal limits would give the axis no length.
std::pair<double, double> Spread(double low, double high) {
  if (!(high > low)) high = low + std::max(std::fabs(low) * 0.1, 1.0);
  return {low, high};
}

void Clear(QChart* chart) {
  chart->removeAllSeries();
  for (QAbstractAxis* axis : chart->axes()) {
    chart->removeAxis(axis);
    delete axis;
  }
}

// Draws frame f of d on chart, replacing what it showed.
void Draw(QChart* chart, const ChartDescription& d, int f) {
  Clear(chart);
  if (f < 0 || f >= d.frames()) return;
  const ChartFrameTexts& texts = d.frame_texts[f];
  chart->setTitle(Text(texts.graph_title));
  QFont title_font = QApplication::font();
  title_font.setPointSizeF(title_font.pointSizeF() * 1.4);
  title_font.setBold(true);
  chart->setTitleFont(title_font);
  const std::optional<StartDate> start = ParseStartDate(d.start_date);
  const bool xy = d.IsXY();
  const double x_origin = xy && d.series() > 0 && d.points() > 0 ? d.X(f, 0, 0) : 0.0;
  // The x of a point as the X axis measures it: milliseconds on a date axis.
  const auto x_of = [&](int s, int p) {
    const double x = d.X(f, s, p);
    return xy && start
               ? static_cast<double>(start->when.toMSecsSinceEpoch()) + (x - x_origin) * kMsPerDay
               : x;
  };

  // X axis.
  QAbstractAxis* x_axis = nullptr;
  const bool vertical_grid = d.vertical_grid && d.points() <= kMarkedPoints;
  if (xy) {
    double low = d.x_min, high = d.x_max;
    if (low == ChartDescription::kUnset || high == ChartDescription::kUnset) {
      double data_low = 0, data_high = 0;
      bool any = false;
      for (int s = 0; s < d.series(); ++s) {
        for (int p = 0; p < d.points(); ++p) {
          const double x = d.X(f, s, p);
          data_low = any ? std::min(data_low, x) : x;
          data_high = any ? std::max(data_high, x) : x;
          any = true;
        }
      }
      if (low == ChartDescription::kUnset) low = data_low;
      if (high == ChartDescription::kUnset) high = data_high;
    }
    std::tie(low, high) = Spread(low, high);
    if (start) {
      auto* axis = new QDateTimeAxis;
      const auto ms = [&](double x) {
        return QDateTime::fromMSecsSinceEpoch(
            static_cast<qint64>(static_cast<double>(start->when.toMSecsSinceEpoch()) +
                                (x - x_origin) * kMsPerDay),
            Qt::UTC);
      };
      axis->setRange(ms(low), ms(high));
      axis->setFormat(DateFormat(*start, high - low < 5 || start->when.time() != QTime(0, 0)));
      axis->setTickCount(6);
      x_axis = axis;
    } else {
      auto* axis = new QValueAxis;
      axis->setRange(low, high);
      const int ticks = d.x_axis_ticks > 0 ? std::min(d.x_axis_ticks, 10) : 5;
      const double step = NiceStep(high - low, ticks);
      axis->setTickType(QValueAxis::TicksDynamic);
      axis->setTickAnchor(std::floor(low / step) * step);
      axis->setTickInterval(step);
      axis->setMinorTickCount(std::clamp(d.x_minor_ticks, 0, 9));
      axis->setLabelFormat(QStringLiteral("%g"));
      x_axis = axis;
    }
  } else {
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    const auto label_at = [&](int p) {
      return start ? AddIncrement(start->when, d.date_increment, p)
                         .toString(DateFormat(*start, d.date_increment.size() >= 17))
             : p < static_cast<int>(d.point_labels.size()) ? Text(d.point_labels[p])
                                                           : QString::number(p + 1);
    };
    int every = d.label_interval > 0 ? d.label_interval : d.points() / 50 + 1;
    if (d.label_interval <= 0 && d.points() > 0) {
      // Labels the axis has no room for would be cut to "...": fewer, whole ones instead.
      qsizetype longest = 1;
      for (int p = 0; p < d.points(); p += std::max(d.points() / 200, 1)) {
        longest = std::max(longest, label_at(p).size());
      }
      const double room = 700.0 / (8.0 * static_cast<double>(longest) + 12.0);
      every = std::max(every, static_cast<int>(std::ceil(d.points() / std::max(room, 1.0))));
    }
    QSet<QString> used;
    for (int p = 0; p < d.points(); p += every) {
      QString label = label_at(p);
      // The axis keeps one position per label text.
      while (used.contains(label)) label += QChar(0x200B);
      used.insert(label);
      axis->append(label, p);
    }
    const auto [low, high] =
        Spread(d.x_min != ChartDescription::kUnset ? d.x_min : -0.5,
               d.x_max != ChartDescription::kUnset ? d.x_max : std::max(d.points(), 1) - 0.5);
    axis->setRange(low, high);
    x_axis = axis;
  }
  x_axis->setTitleText(Text(texts.bottom_title));
  x_axis->setGridLineVisible(vertical_grid);
  chart->addAxis(x_axis, Qt::AlignBottom);

  // Y axis.
  auto* y_axis = new QValueAxis;
  {
    const auto [low, high] = Spread(d.y_min != ChartDescription::kUnset ? d.y_min : 0.0,
                                    d.y_max != ChartDescription::kUnset ? d.y_max : 1.0);
    y_axis->setRange(low, high);
  }
  {
    // Ticks at round values from 0, about as many as asked; the limits stay as they are.
    const double step =
        NiceStep(y_axis->max() - y_axis->min(),
                 d.y_axis_ticks_on ? std::clamp(d.y_axis_tick_count - 1, 1, 49) : 1);
    y_axis->setTickType(QValueAxis::TicksDynamic);
    y_axis->setTickAnchor(0);
    y_axis->setTickInterval(step);
  }
  y_axis->setMinorTickCount(std::clamp(d.y_minor_ticks, 0, 9));
  y_axis->setLabelFormat(QStringLiteral("%g"));
  y_axis->setTitleText(Text(texts.left_title));
  y_axis->setGridLineVisible(d.horizontal_grid);
  chart->addAxis(y_axis, Qt::AlignLeft);

  // Series: one line per run of points that can be read; a missing point breaks the line.
  const bool marked = d.points() <= kMarkedPoints;
  QList<QLineSeries*> hidden_markers;
  for (int s = 0; s < d.series(); ++s) {
    QPen pen(SeriesColor(d, s));
    pen.setWidthF(d.series() > kMaxLegendSeries ? 1.0 : 2.0);
    QList<QPointF> run;
    bool first = true;
    const auto flush = [&](bool always) {
      if (run.isEmpty() && !always) return;
      auto* line = new QLineSeries;
      line->setPen(pen);
      line->setName(Text(d.legend_texts[s]));
      line->setPointsVisible(marked || run.size() == 1);
      line->replace(run);
      chart->addSeries(line);
      line->attachAxis(x_axis);
      line->attachAxis(y_axis);
      if (!first) hidden_markers << line;
      first = false;
      run.clear();
    };
    for (int p = 0; p < d.points(); ++p) {
      if (d.IsMissing(f, s, p)) {
        flush(false);
      } else {
        run << QPointF(x_of(s, p), d.Value(f, s, p));
      }
    }
    flush(first);  // a series with no value at all still has its legend entry
  }
  QLegend* legend = chart->legend();
  legend->setVisible(d.series() <= kMaxLegendSeries);
  legend->setAlignment(Qt::AlignBottom);
  for (QLineSeries* line : hidden_markers) {
    for (QLegendMarker* marker : legend->markers(line)) marker->setVisible(false);
  }
}

// Writes what painter-callable draw paints at size into path, by its suffix.
template <typename Paint>
bool PaintToFile(const QString& path, QSize size, QString& error, Paint paint) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const QRect target(QPoint(0, 0), size);
  if (suffix == QLatin1String("png")) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    {
      QPainter painter(&image);
      painter.setRenderHint(QPainter::Antialiasing);
      paint(painter, target);
    }
    if (!image.save(path, "PNG")) {
      error = QStringLiteral("Unable to write the picture %1").arg(path);
      return false;
    }
    return true;
  }
  if (suffix == QLatin1String("svg")) {
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(size);
    svg.setViewBox(target);
    QPainter painter;
    if (!painter.begin(&svg)) {
      error = QStringLiteral("Unable to write the picture %1").arg(path);
      return false;
    }
    paint(painter, target);
    return painter.end();
  }
  if (suffix == QLatin1String("pdf")) {
    QPdfWriter pdf(path);
    // One point a pixel, so that the page has the asked size.
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point, QString(), QPageSize::ExactMatch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) {
      error = QStringLiteral("Unable to write the picture %1").arg(path);
      return false;
    }
    paint(painter, target);
    return painter.end();
  }
  error = QStringLiteral("%1: the picture must be a .png, .svg or .pdf file").arg(path);
  return false;
}

}  // namespace

// The chart's surface: zoom by wheel and rubber band, reset by double click, and a click on
// empty chart space reported once it is known not to start a double click.
class ChartCanvas : public QChartView {
 public:
  explicit ChartCanvas(QChart* chart, QWidget* parent) : QChartView(chart, parent) {
    setRenderHint(QPainter::Antialiasing);
    band_ = new QRubberBand(QRubberBand::Rectangle, this);
    click_timer_.setSingleShot(true);
  }
  QTimer* click_timer() { return &click_timer_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return QChartView::mousePressEvent(event);
    press_ = event->pos();
    pressed_ = true;
    dragging_ = false;
    event->accept();
  }
  void mouseMoveEvent(QMouseEvent* event) override {
    if (!pressed_) return QChartView::mouseMoveEvent(event);
    if (!dragging_ && chart()->plotArea().contains(press_) &&
        (event->pos() - press_).manhattanLength() >= QApplication::startDragDistance()) {
      dragging_ = true;
      band_->show();
    }
    if (dragging_) band_->setGeometry(QRect(press_, event->pos()).normalized());
    event->accept();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !pressed_) {
      return QChartView::mouseReleaseEvent(event);
    }
    pressed_ = false;
    if (dragging_) {
      band_->hide();
      dragging_ = false;
      const QRectF area = QRectF(band_->geometry()).intersected(chart()->plotArea());
      if (area.width() > 2 && area.height() > 2) chart()->zoomIn(area);
    } else if (!HitsSomething(event->pos())) {
      click_timer_.start(QApplication::doubleClickInterval());
    }
    event->accept();
  }
  void mouseDoubleClickEvent(QMouseEvent* event) override {
    click_timer_.stop();
    pressed_ = false;
    chart()->zoomReset();
    event->accept();
  }
  void wheelEvent(QWheelEvent* event) override {
    const QRectF area = chart()->plotArea();
    const QPointF at = event->position();
    if (event->angleDelta().y() == 0 || !area.contains(at)) return event->ignore();
    const double factor = event->angleDelta().y() > 0 ? 0.8 : 1.25;
    // The point under the pointer stays where it is.
    chart()->zoomIn(QRectF(at.x() - (at.x() - area.left()) * factor,
                           at.y() - (at.y() - area.top()) * factor, area.width() * factor,
                           area.height() * factor));
    event->accept();
  }

 private:
  // A line within a few pixels, or the legend.
  bool HitsSomething(QPoint at) const {
    if (chart()->legend()->isVisible() && chart()->legend()->geometry().contains(at)) return true;
    constexpr double kReach = 4.0;
    for (QAbstractSeries* series : chart()->series()) {
      const auto* line = static_cast<QXYSeries*>(series);
      const QList<QPointF> points = line->points();
      QPointF previous;
      for (qsizetype i = 0; i < points.size(); ++i) {
        const QPointF here = chart()->mapToPosition(points[i], series);
        const QPointF from = i == 0 ? here : previous;
        const QPointF along = here - from;
        const double length2 = QPointF::dotProduct(along, along);
        const double t = length2 > 0
                             ? std::clamp(QPointF::dotProduct(at - from, along) / length2, 0.0, 1.0)
                             : 0.0;
        const QPointF nearest = from + t * along;
        if (std::hypot(at.x() - nearest.x(), at.y() - nearest.y()) <= kReach) return true;
        previous = here;
      }
    }
    return false;
  }

  QRubberBand* band_;
  QTimer click_timer_;
  QPoint press_;
  bool pressed_ = false;
  bool dragging_ = false;
};

GraphView::GraphView(ChartDescription description, QWidget* parent)
    : QDialog(parent), description_(std::move(description)) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  if (!description_.graph_name.empty()) {
    std::string error;
    const std::string file = description_.graph_name + ".gsp";
    if (QFileInfo::exists(Text(file))) {
      if (const auto layout = ChartLayout::Load(file, error)) layout->ApplyTo(description_);
    }
  }
  description_.ApplyYLimits();

  auto* chart = new QChart;
  canvas_ = new ChartCanvas(chart, this);
  tool_bar_ = new QToolBar(this);
  tool_bar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto add = [&](const QString& text, const QString& tip, auto slot) {
    auto* action = new QAction(text, this);
    action->setToolTip(tip);
    connect(action, &QAction::triggered, this, slot);
    tool_bar_->addAction(action);
    canvas_->addAction(action);
    return action;
  };
  add(QStringLiteral("Save Picture..."), QStringLiteral("Save the chart as PNG, SVG or PDF"),
      &GraphView::OnSavePicture);
  add(QStringLiteral("Copy Data"), QStringLiteral("Copy the shown values as CSV"),
      &GraphView::CopyData);
  add(QStringLiteral("Save Data..."), QStringLiteral("Save the shown values as a CSV file"),
      &GraphView::OnSaveData);
  add(QStringLiteral("Save Layout..."),
      QStringLiteral("Save axis limits, titles, grid and colours as a .gsp layout"),
      &GraphView::OnSaveLayout);
  add(QStringLiteral("Reset Zoom"), QStringLiteral("Show the whole chart (double click)"),
      &GraphView::ResetZoom);
  add(QStringLiteral("Next Frame"), QStringLiteral("Show the next frame (click on the chart)"),
      &GraphView::AdvanceFrame);
  canvas_->setContextMenuPolicy(Qt::ActionsContextMenu);
  connect(canvas_->click_timer(), &QTimer::timeout, this, &GraphView::AdvanceFrame);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(tool_bar_);
  layout->addWidget(canvas_, 1);
  resize(800, 600);
  ShowFrame(std::clamp(description_.current_frame, 0, std::max(description_.frames() - 1, 0)));
}

GraphView::~GraphView() = default;

QChart* GraphView::chart() const {
  return canvas_->chart();
}

QChartView* GraphView::chart_view() const {
  return canvas_;
}

void GraphView::ShowFrame(int f) {
  if (f < 0 || f >= description_.frames()) {
    if (description_.frames() == 0) setWindowTitle(QStringLiteral("Graph"));
    return;
  }
  description_.current_frame = f;
  Draw(canvas_->chart(), description_, f);
  const ChartFrameTexts& texts = description_.frame_texts[f];
  setWindowTitle(Text(texts.caption.empty() ? texts.graph_title : texts.caption));
  emit frameChanged(f);
}

void GraphView::AdvanceFrame() {
  if (description_.frames() == 0) return;
  ShowFrame((description_.current_frame + 1) % description_.frames());
}

bool GraphView::NextFrame() {
  if (description_.current_frame + 1 >= description_.frames()) return false;
  ShowFrame(description_.current_frame + 1);
  return true;
}

void GraphView::ResetZoom() {
  canvas_->chart()->zoomReset();
}

bool GraphView::SaveImage(const QString& path, QString& error, QSize size) const {
  if (size.isEmpty() || size == canvas_->size()) {
    return PaintToFile(path, canvas_->size(), error, [&](QPainter& painter, const QRect& target) {
      canvas_->render(&painter, QRectF(target), canvas_->viewport()->rect());
    });
  }
  return ExportChartImage(description_, path, size, error, description_.current_frame);
}

void GraphView::CopyData() const {
  QApplication::clipboard()->setText(Text(description_.Csv(description_.current_frame)));
}

bool GraphView::SaveCsv(const QString& path, QString& error) const {
  QFile file(path);
  const std::string text = description_.Csv(description_.current_frame);
  if (!file.open(QIODevice::WriteOnly) ||
      file.write(text.data(), static_cast<qint64>(text.size())) !=
          static_cast<qint64>(text.size())) {
    error = QStringLiteral("Unable to write %1").arg(path);
    return false;
  }
  return true;
}

bool GraphView::SaveLayout(const QString& path, QString& error) const {
  ChartDescription shown = description_;
  // The ranges as zoomed: that is the look the user sees.
  const auto horizontal = canvas_->chart()->axes(Qt::Horizontal);
  if (!horizontal.isEmpty() && description_.IsXY()) {
    if (const auto* axis = qobject_cast<const QValueAxis*>(horizontal.first())) {
      shown.x_min = axis->min();
      shown.x_max = axis->max();
    }
  }
  const auto vertical = canvas_->chart()->axes(Qt::Vertical);
  if (!vertical.isEmpty()) {
    if (const auto* axis = qobject_cast<const QValueAxis*>(vertical.first())) {
      shown.y_min = axis->min();
      shown.y_max = axis->max();
    }
  }
  shown.series_colors.resize(shown.series());
  for (int s = 0; s < shown.series(); ++s) {
    shown.series_colors[s] = SeriesColor(description_, s).name().toStdString();
  }
  std::string message;
  if (!ChartLayout::Of(shown, shown.current_frame).Save(path.toStdString(), message)) {
    error = Text(message);
    return false;
  }
  return true;
}

void GraphView::OnSavePicture() {
  const QString path = QFileDialog::getSaveFileName(
      this, QStringLiteral("Save Picture"), windowTitle() + QStringLiteral(".png"),
      QStringLiteral("PNG pictures (*.png);;SVG drawings (*.svg);;PDF documents (*.pdf)"));
  if (path.isEmpty()) return;
  QString error;
  if (!SaveImage(path, error)) QMessageBox::warning(this, QStringLiteral("ORVO Builder"), error);
}

void GraphView::OnSaveData() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Data"),
                                                    windowTitle() + QStringLiteral(".csv"),
                                                    QStringLiteral("CSV files (*.csv)"));
  if (path.isEmpty()) return;
  QString error;
  if (!SaveCsv(path, error)) QMessageBox::warning(this, QStringLiteral("ORVO Builder"), error);
}

void GraphView::OnSaveLayout() {
  const QString name =
      description_.graph_name.empty() ? windowTitle() : Text(description_.graph_name);
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Layout"),
                                                    name + QStringLiteral(".gsp"),
                                                    QStringLiteral("Chart layouts (*.gsp)"));
  if (path.isEmpty()) return;
  QString error;
  if (!SaveLayout(path, error)) QMessageBox::warning(this, QStringLiteral("ORVO Builder"), error);
}

bool ExportChartImage(const ChartDescription& description, const QString& path, QSize size,
                      QString& error, int frame) {
  if (size.width() < 1 || size.height() < 1 || size.width() > 20000 || size.height() > 20000) {
    error = QStringLiteral("The picture size must be from 1 x 1 to 20000 x 20000 pixels");
    return false;
  }
  ChartDescription shown = description;
  shown.ApplyYLimits();
  QChartView view;
  view.setRenderHint(QPainter::Antialiasing);
  view.setAttribute(Qt::WA_DontShowOnScreen);
  view.resize(size);
  Draw(view.chart(), shown, std::clamp(frame, 0, std::max(shown.frames() - 1, 0)));
  view.show();  // lays the chart out at its size; never on screen
  QCoreApplication::sendPostedEvents();
  return PaintToFile(path, size, error, [&](QPainter& painter, const QRect& target) {
    view.render(&painter, QRectF(target), view.viewport()->rect());
  });
}

// ---------------------------------------------------------------------------------------------

GraphControl::GraphControl(QWidget* parent) : QDialog(parent) {
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Graph Control"));
  timer_ = new QTimer(this);
  connect(timer_, &QTimer::timeout, this, &GraphControl::Tick);
  interval_ = new QLineEdit(QStringLiteral("1000"), this);
  interval_->setValidator(new QIntValidator(1, 3600000, interval_));
  play_ = new QPushButton(QStringLiteral("Play"), this);
  advance_ = new QPushButton(QStringLiteral("Advance Frame"), this);
  cancel_ = new QPushButton(QStringLiteral("Cancel"), this);
  play_->setAutoDefault(false);
  advance_->setAutoDefault(false);
  cancel_->setAutoDefault(false);

  auto* interval_row = new QHBoxLayout;
  interval_row->addWidget(interval_);
  interval_row->addWidget(new QLabel(QStringLiteral("milliseconds"), this));
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(play_);
  buttons->addWidget(advance_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(interval_row);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(play_, &QPushButton::clicked, this, &GraphControl::Play);
  connect(advance_, &QPushButton::clicked, this, &GraphControl::AdvanceFrame);
  connect(cancel_, &QPushButton::clicked, this, &GraphControl::Cancel);
}

void GraphControl::AddView(GraphView* view) {
  views_ << QPointer<GraphView>(view);
}

QList<GraphView*> GraphControl::Views() const {
  QList<GraphView*> views;
  for (const QPointer<GraphView>& view : views_) {
    if (view) views << view.data();
  }
  return views;
}

void GraphControl::Play() {
  for (GraphView* view : Views()) view->ShowFrame(0);
  // Whole milliseconds, as typed; nothing sensible typed keeps the first interval.
  const double typed = interval_->text().toDouble();
  const int interval = typed >= 1 && typed <= 3600000 ? static_cast<int>(typed) : 1000;
  timer_->start(interval);
}

void GraphControl::Tick() {
  bool advanced = false;
  for (GraphView* view : Views()) advanced = view->NextFrame() || advanced;
  if (!advanced) timer_->stop();
}

void GraphControl::AdvanceFrame() {
  for (GraphView* view : Views()) view->AdvanceFrame();
}

bool GraphControl::Playing() const {
  return timer_->isActive();
}

void GraphControl::Cancel() {
  timer_->stop();
  for (GraphView* view : Views()) view->close();
  views_.clear();
  QDialog::reject();
}

void GraphControl::reject() {
  Cancel();
}

GraphControl* OpenGraphs(QWidget* parent, std::vector<ChartDescription> charts) {
  auto* control = new GraphControl(parent);
  int offset = 0;
  for (ChartDescription& chart : charts) {
    auto* view = new GraphView(std::move(chart), parent);
    // Stacked so that every caption stays in sight.
    if (parent != nullptr) view->move(parent->pos() + QPoint(40 + offset, 40 + offset));
    offset = (offset + 24) % 240;
    view->show();
    control->AddView(view);
  }
  control->show();
  control->raise();
  return control;
}

}  // namespace orvo::ui
