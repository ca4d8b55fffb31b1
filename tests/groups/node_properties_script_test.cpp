// The property panel's edits as network scripts (support/network_script.h) under
// tests/data/groups/node_properties.txt, with commands of their own:
//   properties <node>               every property the node shows: key, shown text
//   common <node,node...>           what the nodes share ("<mixed>" where they differ)
//   property <node,node...> <key> <text>   the edit: "changed", or the message of a refusal
//   text <node> <key>               the property's text
//   keep <yes|no>...                the answers to group J's range questions, each printed
//   break-count <system> <typed> <current>   group E's break count carried out on every segment
//   e-breaks <system> <count>       group E's ChangeBreakCount     break-counts  group E's counts
#include <gtest/gtest.h>

#include <deque>
#include <sstream>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "groups/node_editing.h"
#include "groups/node_properties.h"
#include "support/card_cases.h"
#include "support/network_script.h"

namespace orvo {
namespace {

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

std::string RunScript(const std::string& script) {
  testing::NetworkScript s;
  std::deque<bool> keep;
  s.more = [&](const std::string& command, std::istringstream& in) {
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
  };
  return s.RunAll(script);
}

TEST(NodePropertiesScriptTest, RunsAsRecorded) {
  testing::CheckCases(testing::DataPath("groups/node_properties.txt"),
                      [](const testing::CardCase& c) { return RunScript(c.text); });
}

}  // namespace
}  // namespace orvo
