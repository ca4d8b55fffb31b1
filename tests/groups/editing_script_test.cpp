// The group editors' forms and the property panel's edits as network scripts
// (support/network_script.h): tests/data/groups/group_editing.txt and node_properties.txt.
//
// Forms: "open <letter>" opens a group's form (C, G, H, I, J: a copy of the holder), "accept
// [<letter>]" takes the open form (or that letter's) as OK does; in between the form's gestures,
// each printing what it returns (an action as its selection and message):
//   C: ivopt <n> (through the option list)    G, I: slots <type>  cell <slot> <column> <text>
//   H: new-field <block>  new-constant <block> <field>  delete-field <block> <field>
//      delete-constant <block> <field> <constant>  field-name <block> <field> <text>
//      constant-cell <block> <field> <constant> <column> <text>  fields <block>
//      constants <block> <field>
//   A: type <n>  leave-nosys <n>  sysby <text>  noseg <n>  title1 <text>  time-steps <text>
//      form (NOSYS, JMASS, SYSBY text)
//   B: new <field>  delete <field> <row>  edit-need <field> <row>  text <field> <row> <text>
//   D: new <field> <row>  delete <field> <row>  edit-need <field> <row>
//      field-cell <field> <column> <text>  field <field> (the form's list)
//   E: breaks  cell <system> <column> <text>
//   F: cell <system> <column> <text>  load <system> <segment ID> <text>  rows <system>
//   J: defaults <nosys> <segments> <type>  system-cell <system> <column> <text>
//      segment-cell <system> <row> <column> <text> (C below 1 asks)  row <system> <row>
// Nodes:
//   properties <node>               every property the node shows: key, shown text
//   common <node,node...>           what the nodes share ("<mixed>" where they differ)
//   property <node,node...> <key> <text>   the edit: "changed", or the message of a refusal
//   text <node> <key>               the property's text
//   keep <yes|no>...                the answers to group J's range questions, each printed
//   break-count <system> <typed> <current>   group E's break count carried out on every segment
//   e-breaks <system> <count>       group E's ChangeBreakCount     break-counts  group E's counts
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "groups/group_editing.h"
#include "groups/node_editing.h"
#include "groups/node_properties.h"
#include "support/card_cases.h"
#include "support/network_script.h"

namespace orvo {
namespace {

using namespace editing;
namespace np = node_properties;

std::vector<int> Numbers(std::istringstream& in) {
  std::string list;
  in >> list;
  std::vector<int> numbers;
  std::istringstream items(list);
  for (std::string item; std::getline(items, item, ',');) numbers.push_back(std::stoi(item));
  return numbers;
}

std::string Listed(const std::vector<np::Property>& properties) {
  std::string text;
  for (const np::Property& p : properties)
    text += p.key + "\t" + (p.mixed ? "<mixed>" : np::ShownText(p)) + "\n";
  return text;
}

std::string Shown(const ActionResult& action) {
  return "selection " + std::to_string(action.selection) +
         (action.message.empty() ? "" : ": " + action.message) + "\n";
}

struct Forms {
  char open = 0;
  std::optional<GroupAForm> a;
  std::optional<GroupBForm> b;
  std::optional<GroupDForm> d;
  std::optional<GroupEForm> e;
  std::optional<GroupFForm> f;
  std::optional<GroupJDlg> j;
  std::optional<GroupCDlg> c;
  std::optional<GroupGDlg> g;
  std::optional<GroupHDlg> h;
  std::optional<GroupIDlg> i;
};

bool FormCommand(testing::NetworkScript& s, Forms& forms, const std::string& command,
                 std::istringstream& in) {
  auto& [open, a, b, d, e, f, j, c, g, h, i] = forms;
  std::string rest;
  const auto text = [&] { return std::getline(in >> std::ws, rest) ? rest : std::string(); };
  int x = 0, y = 0, z = 0;
  std::string& out = s.out;
  if (command == "open") {
    in >> open;
    if (open == 'A') a = OpenGroupA(s.doc);
    if (open == 'B') b = OpenGroupB(s.doc);
    if (open == 'D') d = OpenGroupD(s.doc);
    if (open == 'E') e = OpenGroupE(s.doc);
    if (open == 'F') f = OpenGroupF(s.doc);
    if (open == 'J') j = s.doc.group_j;
    if (open == 'C') c = s.doc.group_c;
    if (open == 'G') g = s.doc.group_g;
    if (open == 'H') h = s.doc.group_h;
    if (open == 'I') i = s.doc.group_i;
  } else if (command == "accept") {
    char which = open;
    in >> which;
    if (which == 'A') AcceptGroupA(s.doc, *a);
    if (which == 'B') AcceptGroupB(s.doc, *b);
    if (which == 'D') AcceptGroupD(s.doc, *d);
    if (which == 'E') AcceptGroupE(s.doc, *e);
    if (which == 'F') AcceptGroupF(s.doc, *f);
    if (which == 'C') AcceptGroupC(s.doc, *c);
    if (which == 'G') AcceptGroupG(s.doc, *g);
    if (which == 'H') AcceptGroupH(s.doc, *h);
    if (which == 'I') AcceptGroupI(s.doc, *i);
    if (which == 'J') AcceptGroupJ(s.doc, *j);
  } else if (open == 'A' && command == "type") {
    in >> x;
    ChooseSimulationType(*a, static_cast<SimulationType>(x));
  } else if (open == 'A' && command == "leave-nosys") {
    in >> x;
    LeaveNOSYS(*a, x);
  } else if (open == 'A' && command == "sysby") {
    a->sysby_text = text();
  } else if (open == 'A' && command == "noseg") {
    in >> a->values.NOSEG;
  } else if (open == 'A' && command == "title1") {
    a->values.TITLE1 = text();
  } else if (open == 'A' && command == "time-steps") {
    a->time_steps_text = text();
  } else if (open == 'A' && command == "form") {
    out += "NOSYS " + std::to_string(a->values.NOSYS) + ", JMASS " +
           std::to_string(a->values.JMASS) + ", SYSBY \"" + a->sysby_text + "\"\n";
  } else if ((open == 'B' || open == 'D') && command == "new") {
    in >> x >> y;
    out +=
        std::to_string(open == 'B' ? NewExchangeFunction(*b, x) : NewFlowFunction(*d, x, y)) + "\n";
  } else if ((open == 'B' || open == 'D') && command == "delete") {
    in >> x >> y;
    out += Shown(open == 'B' ? DeleteExchangeFunction(*b, x, y) : DeleteFlowFunction(*d, x, y));
  } else if ((open == 'B' || open == 'D') && command == "edit-need") {
    in >> x >> y;
    out += Shown(open == 'B' ? EditExchangeFunctionNeed(*b, x, y) : EditFlowFunctionNeed(*d, x, y));
  } else if (open == 'B' && command == "text") {
    in >> x >> y;
    SetExchangeFunctionText(*b, x, y, text());
    out += b->rows[static_cast<size_t>(x)][static_cast<size_t>(y)].text + "\n";
  } else if (open == 'D' && command == "field-cell") {
    in >> x >> y;
    for (const std::string& cell : SetFlowFieldCell(*d, x, y, text())) out += "[" + cell + "]";
    out += "\n";
  } else if (open == 'D' && command == "field") {
    in >> x;
    out += d->values.fields[static_cast<size_t>(x)].Join('|') + "\n";
  } else if (open == 'E' && command == "breaks") {
    for (const int count : e->breaks) out += std::to_string(count) + " ";
    out += "\n";
  } else if (command == "cell" && std::string("EFGI").find(open) != std::string::npos) {
    in >> x >> y;
    out += (open == 'E'   ? SetGroupECell(*e, x, y, text())
            : open == 'F' ? SetGroupFCell(*f, x, y, text())
            : open == 'G' ? SetGroupGCell(*g, x, y, text())
                          : SetGroupICell(*i, x, y, text())) +
           "\n";
  } else if (open == 'C' && command == "ivopt") {  // through the option list, as the window
    in >> c->IVOPT;
    c->IVOPT = OptionStored(c->IVOPT, OptionIndex(c->IVOPT, 2), 2);
  } else if ((open == 'G' || open == 'I') && command == "slots") {
    in >> x;
    if (open == 'G') g->SetSlotCountFromType(static_cast<SimulationType>(x));
    if (open == 'I') i->SetSlotCountFromType(static_cast<SimulationType>(x));
  } else if (open == 'H' && (command == "new-field" || command == "delete-field" ||
                             command == "new-constant" || command == "delete-constant")) {
    in >> x >> y >> z;
    out += Shown(command == "new-field"      ? NewField(*h, x)
                 : command == "delete-field" ? DeleteField(*h, x, y)
                 : command == "new-constant" ? NewConstant(*h, x, y)
                                             : DeleteConstant(*h, x, y, z));
  } else if (open == 'H' && command == "field-name") {
    in >> x >> y;
    SetFieldName(*h, x, y, text());
  } else if (open == 'H' && command == "constant-cell") {
    int column = 0;
    in >> x >> y >> z >> column;
    out += SetConstantCell(*h, x, y, z, column, text()) + "\n";
  } else if (open == 'H' && command == "fields") {
    in >> x;
    for (const std::string& name : FieldNames(*h, x)) out += "[" + name + "]";
    out += "\n";
  } else if (open == 'H' && command == "constants") {
    in >> x >> y;
    for (const auto& row : Constants(*h, x, y))
      out += "[" + row[0] + " " + row[1] + " " + row[2] + "]";
    out += "\n";
  } else if (open == 'F' && command == "load") {
    in >> x >> y;
    out += SetLoadFunction(*f, x, y, text()) + "\n";
  } else if (open == 'F' && command == "rows") {
    in >> x;
    for (const std::string& row : LoadRows(s.doc, *f, x)) out += "[" + row + "]";
    out += "\n";
  } else if (open == 'J' && command == "defaults") {
    in >> x >> y >> z;
    j->ApplyDefaults(x, y, static_cast<SimulationType>(z));
  } else if (open == 'J' && command == "system-cell") {
    in >> x >> y;
    out += SetGroupJSystemCell(*j, x, y, text()) + "\n";
  } else if (open == 'J' && command == "segment-cell") {
    int column = 0;
    in >> x >> y >> column;
    const std::optional<std::string> kept =
        SetGroupJSegmentCell(*j, x, y, column, text(), [&](int c, double value) {
          return c != 2 || value >= 1.0 || s.platform.AskYesNo("below C minimum");
        });
    out += kept ? *kept + "\n" : "(discarded)\n";
  } else if (open == 'J' && command == "row") {
    in >> x >> y;
    out += j->Row(x, y).Join(' ') + "\n";
  } else {
    return false;
  }
  return true;
}

bool NodeCommand(testing::NetworkScript& s, std::deque<bool>& keep, const std::string& command,
                 std::istringstream& in) {
  std::string rest;
  if (command == "properties") {
    s.out += Listed(np::NodeProperties(s.doc, *s.Node(Numbers(in)[0])));
  } else if (command == "common") {
    s.out += Listed(np::CommonProperties(s.doc, Numbers(in)));
  } else if (command == "text") {
    const int number = Numbers(in)[0];
    in >> rest;
    s.out += np::PropertyText(s.doc, *s.Node(number), rest) + "\n";
  } else if (command == "keep") {
    for (std::string answer; in >> answer;) keep.push_back(answer == "yes");
  } else if (command == "break-count") {
    int system = 0, typed = 0, current = 0;
    in >> system >> typed >> current;
    s.out += node_editing::SetSystemBreakCount(s.doc, system, typed, current) ? "changed\n"
                                                                              : "unchanged\n";
  } else if (command == "e-breaks") {
    int system = 0, count = 0;
    in >> system >> count;
    group_e::ChangeBreakCount(s.doc, system, count);
  } else if (command == "break-counts") {
    for (const int count : group_e::BreakCounts(s.doc)) s.out += std::to_string(count) + " ";
    s.out += "\n";
  } else if (command == "property") {
    const std::vector<int> numbers = Numbers(in);
    std::string key;
    in >> key;
    std::getline(in >> std::ws, rest);
    const np::Outcome outcome =
        np::SetProperty(s.doc, numbers, key, rest, [&](bool dissolved, double value) {
          s.out += "asked: " + std::string(dissolved ? "DISSF " : "C ") + RealText(value);
          const bool answer = keep.empty() || keep.front();
          if (!keep.empty()) keep.pop_front();
          s.out += answer ? ", kept\n" : ", refused\n";
          return answer;
        });
    s.out += outcome.changed           ? "changed\n"
             : outcome.message.empty() ? "no change\n"
                                       : outcome.message + "\n";
  } else {
    return false;
  }
  return true;
}

class EditingScriptTest : public ::testing::TestWithParam<std::string> {};

TEST_P(EditingScriptTest, RunsAsRecorded) {
  testing::CheckCases(
      testing::DataPath("groups/" + GetParam() + ".txt"), [](const testing::CardCase& c) {
        testing::NetworkScript s;
        Forms forms;
        std::deque<bool> keep;
        s.more = [&](const std::string& command, std::istringstream& in) {
          return FormCommand(s, forms, command, in) || NodeCommand(s, keep, command, in);
        };
        return s.RunAll(c.text);
      });
}

INSTANTIATE_TEST_SUITE_P(Scripts, EditingScriptTest,
                         ::testing::Values("group_editing", "node_properties"),
                         testing::CaseTestName);

}  // namespace
}  // namespace orvo
