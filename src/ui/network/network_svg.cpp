#include "ui/network/network_svg.h"

#include <QBuffer>
#include <QFile>
#include <QFontMetricsF>
#include <QIODevice>
#include <QPainter>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <array>
#include <unordered_map>

#include "model/number_text.h"
#include "model/project_document.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_picture.h"
#include "ui/widgets/stored_text.h"

namespace orvo::ui {

namespace {

constexpr int kPictureCount = static_cast<int>(NodePicture::kCount);
constexpr qsizetype kChunk = 1 << 20;

// Buffers the text and hands it to the device a chunk at a time.
class SvgText {
 public:
  explicit SvgText(QIODevice& out) : out_(out) { text_.reserve(kChunk + 4096); }
  SvgText& operator<<(const char* text) {
    text_.append(text);
    return Flush();
  }
  SvgText& operator<<(const QByteArray& text) {
    text_.append(text);
    return Flush();
  }
  SvgText& operator<<(char c) {
    text_.append(c);
    return *this;
  }
  SvgText& operator<<(int value) {
    text_.append(QByteArray::number(value));
    return *this;
  }
  SvgText& operator<<(double value) {
    // Locale-independent, short: two decimals are finer than any device pixel here.
    text_.append(QByteArray::number(value, 'g', 8));
    return *this;
  }
  bool Finish() {
    if (ok_ && !text_.isEmpty()) ok_ = out_.write(text_) == text_.size();
    text_.clear();
    return ok_;
  }

 private:
  SvgText& Flush() {
    if (text_.size() >= kChunk) {
      if (ok_) ok_ = out_.write(text_) == text_.size();
      text_.clear();
    }
    return *this;
  }
  QIODevice& out_;
  QByteArray text_;
  bool ok_ = true;
};

QByteArray Escaped(const QString& text) {
  return text.toHtmlEscaped().toUtf8();
}

QByteArray Hex(const QColor& colour) {
  return colour.name(QColor::HexRgb).toLatin1();
}

// A picture file's drawing (what its root element holds) and its natural size.
struct Symbol {
  QByteArray body;
  QSizeF size{32, 32};
};

Symbol ReadSymbol(NodePicture picture) {
  Symbol symbol;
  QFile file(PictureFile(picture));
  if (!file.open(QIODevice::ReadOnly)) return symbol;
  const QByteArray text = file.readAll();
  const qsizetype root = text.indexOf("<svg");
  const qsizetype open_end = root < 0 ? -1 : text.indexOf('>', root);
  const qsizetype close = text.lastIndexOf("</svg>");
  if (open_end < 0 || close < open_end) return symbol;
  const QString tag = QString::fromUtf8(text.mid(root, open_end - root));
  static const QRegularExpression width(QStringLiteral("\\swidth=\"([0-9.]+)\""));
  static const QRegularExpression height(QStringLiteral("\\sheight=\"([0-9.]+)\""));
  const QRegularExpressionMatch w = width.match(tag);
  const QRegularExpressionMatch h = height.match(tag);
  if (w.hasMatch() && h.hasMatch())
    symbol.size = QSizeF(w.captured(1).toDouble(), h.captured(1).toDouble());
  symbol.body = text.mid(open_end + 1, close - open_end - 1).trimmed();
  return symbol;
}

void WriteArrow(SvgText& svg, const ArrowGeometry& arrow) {
  svg << "<path d=\"M" << arrow.start.x() << ' ' << arrow.start.y() << 'L' << arrow.end.x() << ' '
      << arrow.end.y() << 'L' << arrow.head_left.x() << ' ' << arrow.head_left.y() << 'M'
      << arrow.end.x() << ' ' << arrow.end.y() << 'L' << arrow.head_right.x() << ' '
      << arrow.head_right.y() << "\"/>\n";
}

// The legend band, drawn by its own painter code into an SVG of the canvas's size; its
// drawing goes into the picture unchanged.
QByteArray LegendDrawing(const PictureDecoration& decoration, const QRect& bounds,
                         const QSize& canvas) {
  QBuffer buffer;
  buffer.open(QIODevice::WriteOnly);
  QSvgGenerator generator;
  generator.setOutputDevice(&buffer);
  generator.setSize(canvas);
  generator.setViewBox(QRect(QPoint(0, 0), canvas));
  QPainter painter;
  if (!painter.begin(&generator)) return {};
  decoration.paint_legend(
      painter, QRectF(0, bounds.height(), canvas.width(), decoration.legend_size.height()));
  painter.end();
  const QByteArray& text = buffer.data();
  const qsizetype root = text.indexOf("<svg");
  const qsizetype open_end = root < 0 ? -1 : text.indexOf('>', root);
  const qsizetype close = text.lastIndexOf("</svg>");
  if (open_end < 0 || close < open_end) return {};
  return text.mid(open_end + 1, close - open_end - 1);
}

}  // namespace

bool WriteNetworkSvg(const COrvoBuilderDoc& document, const QRect& bounds, const QSize& canvas,
                     const PictureDecoration* decoration, QIODevice& out) {
  SvgText svg(out);
  svg << "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"no\"?>\n"
      << "<svg xmlns=\"http://www.w3.org/2000/svg\" xmlns:xlink=\"http://www.w3.org/1999/xlink\" "
         "version=\"1.2\" baseProfile=\"tiny\" width=\""
      << canvas.width() << "\" height=\"" << canvas.height() << "\" viewBox=\"0 0 "
      << canvas.width() << ' ' << canvas.height() << "\">\n<title>Network</title>\n";

  const auto& nodes = document.nodes();
  std::array<bool, kPictureCount> used{};
  for (const auto& node : nodes) {
    if (node->is_segment() || node->is_exchange())
      used[static_cast<size_t>(PictureOf(*node))] = true;
  }
  std::array<Symbol, kPictureCount> symbols;
  svg << "<defs>\n";
  for (int p = 0; p < kPictureCount; ++p) {
    if (!used[static_cast<size_t>(p)]) continue;
    symbols[static_cast<size_t>(p)] = ReadSymbol(static_cast<NodePicture>(p));
    svg << "<g id=\"p" << p << "\">" << symbols[static_cast<size_t>(p)].body << "</g>\n";
  }
  svg << "</defs>\n";

  if (decoration != nullptr && decoration->paint_legend) {
    svg << "<g>" << LegendDrawing(*decoration, bounds, canvas) << "</g>\n";
  }
  svg << "<g transform=\"translate(" << (canvas.width() - bounds.width()) / 2 - bounds.left() << ' '
      << -bounds.top() << ")\">\n";

  // Nodes in list order, each with its thin black frame, as printing draws them.
  const std::vector<QColor>* fills = decoration != nullptr && !decoration->segment_fill.empty()
                                         ? &decoration->segment_fill
                                         : nullptr;
  QString font_text;
  QFont font;
  QFontMetricsF metrics{QFont()};
  bool font_ready = false;
  for (const auto& owned : nodes) {
    const COrvoBuilderCntrItem& node = *owned;
    const QRect rect = NodeRect(node);
    const QColor* fill = nullptr;
    if (fills != nullptr && node.is_segment() && node.segment() != nullptr) {
      const int index = node.segment()->segment_id - 1;
      if (index >= 0 && static_cast<size_t>(index) < fills->size() &&
          (*fills)[static_cast<size_t>(index)].isValid()) {
        fill = &(*fills)[static_cast<size_t>(index)];
      }
    }
    if (node.is_label()) {
      const LabelData* label = node.label();
      const QString text = label != nullptr ? FromStored(label->text) : QString();
      if (!text.isEmpty()) {
        const QString wanted = QString::fromStdString(label->font);
        if (!font_ready || wanted != font_text) {
          font = LabelFont(label->font);
          metrics = QFontMetricsF(font);
          font_text = wanted;
          font_ready = true;
        }
        const double top = (rect.top() + (rect.top() + rect.height()) - metrics.height()) / 2.0;
        svg << "<text x=\"" << rect.left() + rect.width() / 2.0 << "\" y=\""
            << top + metrics.ascent() << "\" text-anchor=\"middle\" font-family=\""
            << Escaped(font.family()) << "\" font-size=\"" << font.pixelSize() << '"';
        if (font.bold()) svg << " font-weight=\"bold\"";
        if (font.italic()) svg << " font-style=\"italic\"";
        svg << '>' << Escaped(text) << "</text>\n";
      }
    } else if (fill != nullptr) {
      svg << "<rect x=\"" << rect.left() << "\" y=\"" << rect.top() << "\" width=\"" << rect.width()
          << "\" height=\"" << rect.height() << "\" fill=\"" << Hex(*fill) << "\"/>\n";
    } else if (node.is_segment() || node.is_exchange()) {
      const int p = static_cast<int>(PictureOf(node));
      const QSizeF natural = symbols[static_cast<size_t>(p)].size;
      svg << "<use xlink:href=\"#p" << p << '"';
      if (rect.width() == natural.width() && rect.height() == natural.height()) {
        svg << " x=\"" << rect.left() << "\" y=\"" << rect.top() << '"';
      } else if (natural.width() > 0 && natural.height() > 0) {
        svg << " transform=\"matrix(" << rect.width() / natural.width() << " 0 0 "
            << rect.height() / natural.height() << ' ' << rect.left() << ' ' << rect.top() << ")\"";
      }
      svg << "/>\n";
    } else {
      svg << "<ellipse cx=\"" << rect.left() + rect.width() / 2.0 << "\" cy=\""
          << rect.top() + rect.height() / 2.0 << "\" rx=\"" << rect.width() / 2.0 << "\" ry=\""
          << rect.height() / 2.0 << "\" fill=\"none\" stroke=\"#000000\"/>\n";
    }
    if (rect.width() > 0 && rect.height() > 0) {
      svg << "<rect x=\"" << rect.left() + 0.5 << "\" y=\"" << rect.top() + 0.5 << "\" width=\""
          << rect.width() - 1 << "\" height=\"" << rect.height() - 1
          << "\" fill=\"none\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
    }
  }

  // Segments by ID, the later of two with one ID winning, as the painter finds them.
  std::unordered_map<int, const COrvoBuilderCntrItem*> by_segment;
  for (const auto& node : nodes) {
    if (!node->is_segment() || node->segment() == nullptr) continue;
    const int id = node->segment()->segment_id;
    if (id >= 1 && id <= document.group_a.NOSEG) by_segment[id] = node.get();
  }
  const auto segment = [&](int id) -> const COrvoBuilderCntrItem* {
    const auto found = by_segment.find(id);
    return found == by_segment.end() ? nullptr : found->second;
  };

  for (const ExchangeKind kind :
       {ExchangeKind::kInterior, ExchangeKind::kInflow, ExchangeKind::kOutflow}) {
    svg << "<g fill=\"none\" stroke=\"" << Hex(KindColour(kind)) << "\" stroke-width=\""
        << (kind == ExchangeKind::kInterior ? 1 : 2) << "\">\n";
    for (const auto& owned : nodes) {
      const COrvoBuilderCntrItem& node = *owned;
      if (!node.is_exchange() || node.exchange() == nullptr || KindOf(node) != kind) continue;
      const QRect rect = NodeRect(node);
      if (const COrvoBuilderCntrItem* up = segment(node.exchange()->upstream)) {
        if (const auto arrow = ArrowBetween(NodeRect(*up), rect)) WriteArrow(svg, *arrow);
      }
      if (const COrvoBuilderCntrItem* down = segment(node.exchange()->downstream)) {
        if (const auto arrow = ArrowBetween(rect, NodeRect(*down))) WriteArrow(svg, *arrow);
      }
      if (kind != ExchangeKind::kInterior) {
        if (const auto arrow = BoundaryMark(rect, kind)) WriteArrow(svg, *arrow);
      }
    }
    svg << "</g>\n";
  }

  if (decoration != nullptr && decoration->anchor_lines) {
    std::unordered_map<int, const COrvoBuilderCntrItem*> by_number;
    for (const auto& node : nodes) by_number.emplace(node->number(), node.get());
    svg << "<g fill=\"none\" stroke=\"#0000ff\" stroke-width=\"1\">\n";
    for (const auto& owned : nodes) {
      for (const std::string& anchor : owned->anchors()) {
        const auto found = by_number.find(AtoI(anchor));
        if (found == by_number.end()) continue;
        if (const auto arrow = ArrowBetween(NodeRect(*found->second), NodeRect(*owned))) {
          WriteArrow(svg, *arrow);
        }
      }
    }
    svg << "</g>\n";
  }

  svg << "<g fill=\"none\" stroke=\"#008000\" stroke-width=\"1\">\n";
  for (const auto& owned : nodes) {
    if (!owned->is_segment() || owned->segment() == nullptr) continue;
    const COrvoBuilderCntrItem* bottom = segment(owned->segment()->IBOTSEG);
    if (bottom == nullptr || bottom == owned.get()) continue;
    if (const auto arrow = ArrowBetween(NodeRect(*owned), NodeRect(*bottom))) {
      WriteArrow(svg, *arrow);
    }
  }
  svg << "</g>\n</g>\n</svg>\n";
  return svg.Finish();
}

}  // namespace orvo::ui
