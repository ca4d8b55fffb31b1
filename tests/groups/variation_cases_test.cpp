// The card writers' variations, cases as support/card_cases.h reads them from
// tests/data/groups/variations.txt: "from" names the project case the card is written from, and
// the deck part states the variation, a setting a line:
//   card <letter>                   the card written (B C D E F G H J)
//   note <text>                     the note the writer appends to (none: no note)
//   targets|functions|fields <numbers...>   item|quantity|block|field|constant|amount <number>
//   exchanges <node positions from 1>       additive  percent
//   set <segment ID> <parameter> <text>     the project changed before the card is written
// The result is the note, then the card written with the variation, or "as without it". The
// project stays as it was.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "groups/cards.h"
#include "support/card_cases.h"
#include "support/document_test.h"

namespace orvo {
namespace {

using Writer = bool (*)(const COrvoBuilderDoc&, DeckOut&, const Variation*);

const std::map<char, Writer> kWriters = {{'B', group_b::WriteCard}, {'C', group_c::WriteCard},
                                         {'D', group_d::WriteCard}, {'E', group_e::WriteCard},
                                         {'F', group_f::WriteCard}, {'G', group_g::WriteCard},
                                         {'H', group_h::WriteCard}, {'J', group_j::WriteCard}};

class VariationCaseTest : public testing::DocumentTest {
 protected:
  std::string Result(const testing::CardCase& c) {
    testing::NodeNumbersFromOne numbering;
    COrvoBuilderDoc project(platform);
    EXPECT_TRUE(project.Load(testing::DataPath("projects/" + c.from + "/project.orb").string()))
        << c.from;
    Variation variation;
    char letter = '?';
    std::string note;
    bool noted = false;
    std::istringstream lines(c.text);
    for (std::string line; std::getline(lines, line);) {
      std::istringstream in(line);
      std::string key, rest;
      in >> key;
      std::vector<int> numbers;
      if (key == "card") {
        in >> letter;
      } else if (key == "note") {
        noted = true;
        std::getline(in >> std::ws, note);
      } else if (key == "set") {
        int id = 0, index = 0;
        in >> id >> index;
        std::getline(in >> std::ws, rest);
        project.GetSegmentNode(id)->SetParameter(index, rest);
      } else if (key == "additive" || key == "percent") {
        (key == "additive" ? variation.additive : variation.percent) = true;
      } else if (key == "amount") {
        in >> variation.amount;
      } else if (key == "item" || key == "quantity" || key == "block" || key == "field" ||
                 key == "constant") {
        in >> (key == "item"       ? variation.item
               : key == "quantity" ? variation.quantity
               : key == "block"    ? variation.block
               : key == "field"    ? variation.field
                                   : variation.constant);
      } else {
        for (int number; in >> number;) numbers.push_back(number);
        if (key == "targets") variation.targets = numbers;
        if (key == "functions") variation.functions = numbers;
        if (key == "fields") variation.fields = numbers;
        for (int position : key == "exchanges" ? numbers : std::vector<int>{})
          variation.exchanges.push_back(project.nodes()[static_cast<size_t>(position - 1)].get());
      }
    }
    if (noted) variation.note = &note;
    const Writer write = kWriters.at(letter);
    const std::string before = project.SaveToBytes();
    DeckOut plain(platform), varied(platform);
    write(project, plain, nullptr);
    const bool ok = write(project, varied, &variation);
    EXPECT_EQ(project.SaveToBytes(), before) << "the variation changed the project";
    std::string result = noted ? "note " + note + "\n" : "";
    result += !ok                             ? "--- fails\n" + varied.text()
              : varied.text() == plain.text() ? "as without it\n"
                                              : "--- card\n" + varied.text();
    for (const std::string& message : platform.messages) result += message + "\n";
    platform.messages.clear();
    return result;
  }
};

TEST_F(VariationCaseTest, WritesAsTheCasesSay) {
  testing::CheckCases(testing::DataPath("groups/variations.txt"),
                      [this](const testing::CardCase& c) { return Result(c); });
}

}  // namespace
}  // namespace orvo
