// Gesture scripts for the network view: a file under tests/data/ that is its own expectation.
// "=== <name>" starts a case on a fresh project in a shown 800 x 600 view; every other line is
// a command, followed by what it printed and what the user was told, each indented by two
// blanks ("#" lines stay as they are). Nodes are named by their place in the node list (from 1).
//   segment <left> <top>   a segment with its tethered ID label    label <left> <top> <text>
//   exchange <id from> <id to> <interface|inflow|outflow>          answer <yes|no>
//   tool <surface|subsurface|upper-bed|lower-bed|label>   the palette button clicked
//   click <x> <y>   drag <x1> <y1> <x2> <y2>   key <key sequence>   hold <key> <repeats>
//   move <x> <y>   palette-key <key sequence>   hint (the mode's hint)   cursor   paint
//   tether  untether  connect  inflow  outflow  delete  (the view's commands)  select-mode
//   begin <label>  end (an undo step)   undo  redo  history  mode  selected  group  count
//   counts  rect <node>  anchors <node>  get <node> <index>  network  mark  same  modified
//   clean
#pragma once

#include <QApplication>
#include <QKeySequence>
#include <QTextStream>
#include <QToolButton>
#include <QtTest>
#include <map>
#include <sstream>
#include <string>

#include "model/scripted_platform.h"
#include "support/network_builder.h"
#include "support/network_text.h"
#include "support/qt_golden.h"
#include "ui/network/icon_palette.h"
#include "ui/network/network_painting.h"
#include "ui/network/network_view.h"

namespace orvo::testing {

class NetworkGestures {
 public:
  NetworkGestures() {
    COrvoBuilderCntrItem::SetNodeNumberCounter(0);
    view_.resize(800, 600);
    view_.show();
  }

  // What `command` printed, and the messages it raised, one line each.
  std::string Run(const std::string& line) {
    std::istringstream in(line);
    std::string command;
    in >> command;
    std::string out = Command(command, in);
    for (const std::string& message : platform_.messages) out += message + "\n";
    platform_.messages.clear();
    return out;
  }

  // The script file with every command's output worked out again.
  static QByteArray Rerun(const QString& relative) {
    std::unique_ptr<NetworkGestures> gestures;
    QByteArray out;
    for (const QByteArray& line :
         FileBytes(ORVO_SOURCE_DIR "/tests/data/" + relative).split('\n')) {
      if (line.isEmpty() || line.startsWith("  ")) continue;
      out += line + '\n';
      if (line.startsWith('#')) continue;
      if (line.startsWith("=== ")) {
        gestures.reset();
        gestures = std::make_unique<NetworkGestures>();
        continue;
      }
      std::istringstream printed(gestures ? gestures->Run(line.toStdString()) : "no case\n");
      for (std::string text; std::getline(printed, text);) out += "  " + text + '\n';
    }
    return out;
  }

  // Empty, or the first line where actual leaves the expected file: QtTest cuts the whole
  // text short in its message.
  static QString FirstDifference(const QString& relative, const QByteArray& actual) {
    if (qEnvironmentVariableIsSet("ORVO_UPDATE_EXPECTED")) return {};
    const auto want = FileBytes(ORVO_SOURCE_DIR "/tests/data/" + relative).split('\n');
    const auto got = actual.split('\n');
    qsizetype at = 0;
    while (at < want.size() && at < got.size() && want[at] == got[at]) ++at;
    if (at == want.size() && at == got.size()) return {};
    return relative + " line " + QString::number(at + 1) + ":\n  expected: " + want.value(at) +
           "\n  actual:   " + got.value(at);
  }

 private:
  using Mode = ui::InteractionMode;
  ScriptedPlatform platform_;
  COrvoBuilderDoc doc_{platform_};
  ui::COrvoBuilderView view_{doc_};
  std::string marked_;

  QWidget* Port() { return view_.viewport(); }
  COrvoBuilderCntrItem* Node(int place) {
    return place >= 1 && place <= int(doc_.nodes().size()) ? doc_.nodes()[place - 1].get()
                                                           : nullptr;
  }
  std::string Place(const COrvoBuilderCntrItem* node) {
    for (size_t i = 0; i < doc_.nodes().size(); ++i)
      if (doc_.nodes()[i].get() == node) return std::to_string(i + 1);
    return "none";
  }
  static Mode Tool(const std::string& name) {
    return name == "surface"      ? Mode::kPlaceSurface
           : name == "subsurface" ? Mode::kPlaceSubsurface
           : name == "upper-bed"  ? Mode::kPlaceUpperBed
           : name == "lower-bed"  ? Mode::kPlaceLowerBed
                                  : Mode::kPlaceLabel;
  }
  void Key(QEvent::Type type, Qt::Key key, bool repeat) {
    QKeyEvent event(type, key, Qt::NoModifier, QString(), repeat);
    QApplication::sendEvent(&view_, &event);
  }

  inline static const std::map<std::string, void (ui::COrvoBuilderView::*)()> kViewCommands = {
      {"delete", &ui::COrvoBuilderView::OnDelete},
      {"tether", &ui::COrvoBuilderView::OnTether},
      {"untether", &ui::COrvoBuilderView::OnUntether},
      {"connect", &ui::COrvoBuilderView::OnAddSegmentInterface},
      {"inflow", &ui::COrvoBuilderView::OnAddInflow},
      {"outflow", &ui::COrvoBuilderView::OnAddOutflow}};

  std::string Command(const std::string& command, std::istringstream& in) {
    int a = 0, b = 0, c = 0, d = 0;
    std::string word;
    if (command == "segment") {
      in >> a >> b;
      AddSegmentWithLabel(doc_, a, b);
    } else if (command == "label") {
      in >> a >> b >> word;
      AddLabel(doc_, word)->SetRect(a, b, a + 32, b + 32);
    } else if (command == "exchange") {
      in >> a >> b >> word;
      doc_.AddExchange(doc_.GetSegmentNode(a), doc_.GetSegmentNode(b),
                       word == "inflow"    ? kInflow
                       : word == "outflow" ? kOutflow
                                           : kInterface);
    } else if (command == "answer") {
      in >> word;
      platform_.answers.push_back(word == "yes");
    } else if (command == "tool") {
      in >> word;
      QTest::mouseClick(view_.palette()->ButtonFor(Tool(word)), Qt::LeftButton);
    } else if (command == "click") {
      in >> a >> b;
      QTest::mouseClick(Port(), Qt::LeftButton, Qt::NoModifier, QPoint(a, b));
    } else if (command == "drag") {
      in >> a >> b >> c >> d;
      const QPoint from(a, b), to(c, d);
      QTest::mousePress(Port(), Qt::LeftButton, Qt::NoModifier, from);
      QTest::mouseMove(Port(), (from + to) / 2);
      QTest::mouseMove(Port(), to);
      QTest::mouseRelease(Port(), Qt::LeftButton, Qt::NoModifier, to);
    } else if (command == "key") {
      in >> word;
      const QKeyCombination key = QKeySequence(QString::fromStdString(word))[0];
      view_.setFocus();
      QTest::keyClick(&view_, key.key(), key.keyboardModifiers());
    } else if (command == "hold") {  // auto-repeat, as a key held down sends it
      in >> word >> a;
      const Qt::Key key = QKeySequence(QString::fromStdString(word))[0].key();
      Key(QEvent::KeyPress, key, false);
      for (int i = 0; i < a; ++i) {
        Key(QEvent::KeyRelease, key, true);
        Key(QEvent::KeyPress, key, true);
      }
      Key(QEvent::KeyRelease, key, false);
    } else if (command == "palette-key") {
      in >> word;
      const QKeyCombination key = QKeySequence(QString::fromStdString(word))[0];
      QTest::keyClick(view_.palette(), key.key(), key.keyboardModifiers());
    } else if (command == "move") {
      in >> a >> b;
      QTest::mouseMove(Port(), QPoint(a, b));
    } else if (command == "hint") {
      return view_.ModeHint().isEmpty() ? "no hint\n" : view_.ModeHint().toStdString() + "\n";
    } else if (command == "cursor") {
      const Qt::CursorShape shape = Port()->cursor().shape();
      return shape == Qt::ArrowCursor    ? "arrow\n"
             : shape == Qt::BitmapCursor ? "bitmap\n"
                                         : std::to_string(shape) + "\n";
    } else if (command == "paint") {
      if (!view_.grab().size().isValid()) return "not painted\n";
    } else if (command == "begin") {
      in >> word;
      doc_.BeginStep(word);
    } else if (command == "end") {
      doc_.EndStep();
    } else if (const auto found = kViewCommands.find(command); found != kViewCommands.end()) {
      (view_.*found->second)();
    } else if (command == "select-mode") {
      view_.SetInteractionMode(Mode::kSelect);
    } else if (command == "undo" || command == "redo") {
      if (!(command == "undo" ? doc_.Undo() : doc_.Redo())) return "nothing to " + command + "\n";
    } else if (command == "history") {
      return "undo " + (doc_.CanUndo() ? doc_.UndoLabel() : "-") + ", redo " +
             (doc_.CanRedo() ? doc_.RedoLabel() : "-") + "\n";
    } else if (command == "mode") {
      return std::to_string(int(view_.state().interaction_mode)) + "\n";
    } else if (command == "selected") {
      return Place(view_.selected_node()) + "\n";
    } else if (command == "group") {
      std::string places;
      for (const COrvoBuilderCntrItem* node : view_.group_selection())
        places += (places.empty() ? "" : " ") + Place(node);
      return "[" + places + "]\n";
    } else if (command == "count") {
      return std::to_string(doc_.nodes().size()) + " nodes\n";
    } else if (command == "counts") {
      return "NOSEG " + std::to_string(doc_.group_a.NOSEG) + "\n";
    } else if (command == "rect" || command == "anchors" || command == "get") {
      in >> a >> b;
      const COrvoBuilderCntrItem* node = Node(a);
      if (node == nullptr) return "no node\n";
      if (command == "anchors") return std::to_string(node->anchors().size()) + " anchors\n";
      if (command == "get") return node->GetParameter(b) + "\n";
      const QRect rect = ui::NodeRect(*node);
      return std::to_string(rect.left()) + " " + std::to_string(rect.top()) + " " +
             std::to_string(rect.width()) + " " + std::to_string(rect.height()) + "\n";
    } else if (command == "network") {
      return NetworkText(doc_);
    } else if (command == "mark") {
      marked_ = doc_.SaveToBytes();
    } else if (command == "same") {
      return doc_.SaveToBytes() == marked_ ? "as marked\n" : "not as marked\n";
    } else if (command == "modified") {
      return doc_.IsModified() ? "modified\n" : "unmodified\n";
    } else if (command == "clean") {
      doc_.SetModifiedFlag(false);
    } else {
      return "unknown command\n";
    }
    return {};
  }
};

}  // namespace orvo::testing
