// Scripts of network edits and undo steps on one project (fresh, or a project case), for runners
// that read them as support/card_cases.h reads cases (the shape line unused; the deck part the
// script, one command a line). The result holds, under "> <command>", what each command printed
// and what the user was told; commands that print nothing and tell nothing are left out.
// Nodes are named by number (numbered from 1), segments by ID where the command says "id".
//   case <name>                     the project case tests/data/projects/<name> loaded
//   segment <left> <top> [<type>]   a segment with its tethered ID label
//   label <text>                    new-node                      (an untyped node)
//   exchange <id from> <id to> <interface|inflow|outflow>   (id 0: no segment)
//   set <node> <index> [<text>]     get <node> <index>            node-of <id>
//   edit <node> <index> <text>      edit properties, accepted     edit-cancel <node>
//   delete <node>  unlink <node>  remove <node|0>  delete-network  build-array  counts
//   exchange-functions <field> <count>  move <node> <left> <top> (a "Move" step)  touch
//   change-id <node> <old id>       choose <number|cancel>        (the next choice asked)
//   answer <yes|no>                 the next question's answer
//   anchor <node> <node>  rect <node> <l> <t> <r> <b>  swap <node> <node>  hit <x> <y>
//   exchanges-of <node>  other-document-node  network  groups  modified  clean
//   noseg|nosys|simtyp|icfl <n>     title1|c-title|h-title <text>  extent <width>
//   begin <label> [<groups as letters, or - for none>]   end  undo  redo
//   history                         can undo/redo and their labels
//   nudge <dx>                      every node moved right
//   load <name>                     the project file marked loaded
//   mark <name>  same <name>        the project file now against the one marked (the node
//                                   counter pinned: undo gives nodes back their numbers, never
//                                   the counter)
//   observe                         then every update hint sent is printed as it comes
//   list <name> <items separated by |>  show <name>   a holder's list set, or shown joined by |:
//                                   b.surface b.pore d.bypass d.field<n> e.system<n> h.block<n>
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <utility>

#include "model/network_deletion.h"
#include "model/number_text.h"
#include "support/card_cases.h"
#include "support/document_test.h"
#include "support/golden.h"
#include "support/groups_text.h"
#include "support/network_builder.h"
#include "support/network_text.h"

namespace orvo::testing {

struct HintPrinter : DocumentObserver {
  std::string* out = nullptr;
  void OnDocumentUpdate(UpdateHint hint, int) override {
    *out += "hint " + std::to_string(hint) + "\n";
  }
};

// A group holder's list by its name in scripts.
inline StringArray* HolderList(COrvoBuilderDoc& doc, const std::string& name) {
  const int n = name.back() - '0';
  if (name == "b.surface") return &doc.group_b.surface_functions;
  if (name == "b.pore") return &doc.group_b.pore_functions;
  if (name == "d.bypass") return &doc.group_d.bypass;
  if (name.starts_with("d.field")) return &doc.group_d.fields[n];
  if (name.starts_with("e.system")) return &doc.group_e.systems[n];
  if (name.starts_with("h.block")) return &doc.group_h.blocks[n];
  ADD_FAILURE() << "no list " << name;
  return nullptr;
}

struct NetworkScript {
  NodeNumbersFromOne numbering;
  ScriptedPlatform platform;
  COrvoBuilderDoc doc{platform};
  std::map<std::string, std::string> marks;
  HintPrinter hints;
  std::string out;

  COrvoBuilderCntrItem* Node(int number) {
    for (const auto& node : doc.nodes())
      if (node->number() == number) return node.get();
    ADD_FAILURE() << "no node " << number;
    return nullptr;
  }
  static std::string Name(const COrvoBuilderCntrItem* node) {
    return node ? std::to_string(node->number()) : "none";
  }
  std::string Bytes() {
    const int counter = COrvoBuilderCntrItem::NodeNumberCounter();
    COrvoBuilderCntrItem::SetNodeNumberCounter(1000);
    std::string bytes = doc.SaveToBytes();
    COrvoBuilderCntrItem::SetNodeNumberCounter(counter);
    return bytes;
  }
  static unsigned Groups(const std::string& letters) {
    if (letters.empty()) return kAllGroups;
    unsigned groups = kNoGroups;
    for (char letter : letters)
      if (letter >= 'A' && letter <= 'J') groups |= 1u << (letter - 'A');
    return groups;
  }

  // Commands of a test's own, tried first: true when the command was one of them.
  std::function<bool(const std::string& command, std::istringstream& in)> more;

  void Run(const std::string& command, std::istringstream& in) {
    std::string rest;
    const auto text = [&] {
      if (in.peek() == ' ') in.get();  // the one blank after the arguments
      std::getline(in, rest);
      return rest;
    };
    int a = 0, b = 0, c = 0, d = 0, e = 0;
    if (more && more(command, in)) {
    } else if (command == "case") {
      std::string error;
      if (!doc.LoadFromBytes(ReadFile(DataPath("projects/" + text() + "/project.orb")), error))
        ADD_FAILURE() << error;
    } else if (command == "list" || command == "show") {
      std::string name;
      in >> name;
      StringArray& list = *HolderList(doc, name);
      if (command == "show") {
        out += list.Join('|') + "\n";
      } else {
        list.RemoveAll();
        const std::string items = text();
        for (size_t at = 0; !items.empty() && at <= items.size(); at = items.find('|', at) + 1) {
          list.GetList().push_back(items.substr(at, items.find('|', at) - at));
          if (items.find('|', at) == std::string::npos) break;
        }
      }
    } else if (command == "segment") {
      in >> a >> b >> c;  // no type: 0
      AddSegmentWithLabel(doc, a, b, c);
    } else if (command == "label") {
      AddLabel(doc, text());
    } else if (command == "new-node") {
      doc.NewNode();
    } else if (command == "exchange") {
      std::string kind;
      in >> a >> b >> kind;
      doc.AddExchange(a ? doc.GetSegmentNode(a) : nullptr, b ? doc.GetSegmentNode(b) : nullptr,
                      kind == "inflow"    ? kInflow
                      : kind == "outflow" ? kOutflow
                                          : kInterface);
    } else if (command == "set") {
      in >> a >> b;
      Node(a)->SetParameter(b, text());
    } else if (command == "get") {
      in >> a >> b;
      out += Node(a)->GetParameter(b) + "\n";
    } else if (command == "node-of") {
      in >> a;
      out += Name(doc.GetSegmentNode(a)) + "\n";
    } else if (command == "edit") {
      in >> a >> b;
      const std::string value = text();
      doc.EditProperties(*Node(a), [&](COrvoBuilderCntrItem& node) {
        node.SetParameter(b, value);
        return true;
      });
    } else if (command == "edit-cancel") {
      in >> a;
      doc.EditProperties(*Node(a), [](COrvoBuilderCntrItem&) { return false; });
    } else if (command == "delete") {
      in >> a;
      doc.DeleteNode(Node(a));
    } else if (command == "unlink") {
      in >> a;
      Node(a)->Delete();
    } else if (command == "remove") {
      in >> a;
      out += doc.RemoveItem(a > 0 ? Node(a) : nullptr) ? "removed\n" : "not removed\n";
    } else if (command == "delete-network") {
      doc.DeleteNetwork();
    } else if (command == "build-array") {
      doc.BuildSegmentArray();
    } else if (command == "change-id") {
      in >> a >> b;
      doc.ChangeSegmentID(*Node(a), b);
    } else if (command == "answer") {
      platform.answers.push_back(text() == "yes");
    } else if (command == "choose") {
      const std::string choice = text();
      platform.choices.push_back(choice == "cancel" ? std::nullopt
                                                    : std::optional<int>(AtoI(choice)));
    } else if (command == "anchor") {
      in >> a >> b;
      out += Node(a)->AddAnchor(*Node(b)) ? "anchored\n" : "not anchored\n";
    } else if (command == "rect") {
      in >> a >> b >> c >> d >> e;
      Node(a)->SetRect(b, c, d, e);
    } else if (command == "move") {  // as the drawing view drags a node
      in >> a >> b >> c;
      ScopedStep step(doc, "Move");
      COrvoBuilderCntrItem& node = *Node(a);
      node.SetRect(b, c, b + node.width(), c + node.height());
      doc.SetModifiedFlag();
    } else if (command == "nudge") {  // every node, found by number after an undo
      in >> a;
      for (const auto& node : doc.nodes())
        node->SetRect(node->left() + a, node->top(), node->left() + a + node->width(),
                      node->top() + node->height());
    } else if (command == "load") {
      std::string error;
      if (!doc.LoadFromBytes(marks.at(text()), error)) out += error + "\n";
    } else if (command == "touch") {
      doc.SetModifiedFlag();
    } else if (command == "exchange-functions") {
      in >> a >> b;
      doc.SetExchangeFunctionCount(a, b);
    } else if (command == "counts") {
      out += "NOSEG " + std::to_string(doc.group_a.NOSEG) + " NOSYS " +
             std::to_string(doc.group_a.NOSYS) + "\n";
    } else if (command == "swap") {
      in >> a >> b;
      Node(a)->SwapGeometry(*Node(b));
    } else if (command == "hit") {
      in >> a >> b;
      out += Name(doc.HitTest(a, b)) + "\n";
    } else if (command == "exchanges-of") {
      in >> a;
      out += std::to_string(CountExchangesOf(doc, *Node(a))) + "\n";
    } else if (command == "other-document-node") {
      ScriptedPlatform other_platform;
      COrvoBuilderDoc other(other_platform);
      out += Name(other.NewNode()) + "\n";
    } else if (command == "network") {
      out += NetworkText(doc);
    } else if (command == "groups") {
      out += GroupsText(doc);
    } else if (command == "modified") {
      out += doc.IsModified() ? "modified\n" : "unmodified\n";
    } else if (command == "clean") {
      doc.SetModifiedFlag(false);
    } else if (command == "noseg" || command == "nosys" || command == "icfl") {
      in >> a;
      (command == "noseg"   ? doc.group_a.NOSEG
       : command == "nosys" ? doc.group_a.NOSYS
                            : doc.group_a.ICFL) = a;
      if (command == "icfl") doc.SetModifiedFlag();
    } else if (command == "simtyp") {
      in >> a;
      doc.group_a.SIMTYP = static_cast<SimulationType>(a);
    } else if (command == "title1" || command == "c-title" || command == "h-title") {
      (command == "title1"    ? doc.group_a.TITLE1
       : command == "c-title" ? doc.group_c.title
                              : doc.group_h.title) = text();
      doc.SetModifiedFlag();
    } else if (command == "extent") {
      in >> doc.extent_width;
      doc.SetModifiedFlag();
    } else if (command == "begin") {
      std::string label, groups;
      in >> label >> groups;
      doc.BeginStep(label, Groups(groups));
    } else if (command == "end") {
      doc.EndStep();
    } else if (command == "undo" || command == "redo") {
      if (!(command == "undo" ? doc.Undo() : doc.Redo())) out += "nothing to " + command + "\n";
    } else if (command == "history") {
      out += "undo " + (doc.CanUndo() ? doc.UndoLabel() : "-") + ", redo " +
             (doc.CanRedo() ? doc.RedoLabel() : "-") + "\n";
    } else if (command == "mark") {
      marks[text()] = Bytes();
    } else if (command == "same") {
      const std::string name = text();
      out += Bytes() == marks.at(name) ? "as " + name + "\n" : "not as " + name + "\n";
    } else if (command == "observe") {
      hints.out = &out;
      doc.AddObserver(&hints);
    } else {
      ADD_FAILURE() << "unknown command " << command;
    }
  }

  std::string RunAll(const std::string& script) {
    const std::string result = ScriptResult(script, [this](const std::string& line) {
      std::istringstream in(line);
      std::string command;
      in >> command;
      Run(command, in);
      for (const std::string& message : platform.messages) out += message + "\n";
      platform.messages.clear();
      return std::exchange(out, std::string());
    });
    if (hints.out) doc.RemoveObserver(&hints);
    EXPECT_EQ(platform.wait_depth, 0);
    return result;
  }
};

}  // namespace orvo::testing
