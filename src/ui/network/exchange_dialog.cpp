#include "ui/network/exchange_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "groups/node_editing.h"
#include "model/number_text.h"
#include "model/project_document.h"
#include "ui/editors/node_group_editors.h"
#include "ui/widgets/number_field.h"

namespace orvo::ui {

namespace ne = orvo::node_editing;

ExchangeDialog::ExchangeDialog(COrvoBuilderCntrItem& node, QWidget* parent)
    : QDialog(parent), node_(node) {
  setWindowTitle(tr("Segment Exchange Data"));
  for (int i = exchange_param::kUpstream; i < static_cast<int>(copy_.size()); ++i) {
    copy_[static_cast<size_t>(i)] = node_.GetParameter(i);
  }
  upstream_ = new QLineEdit(QString::fromStdString(copy_[exchange_param::kUpstream]), this);
  upstream_->setObjectName("upstream");
  downstream_ = new QLineEdit(QString::fromStdString(copy_[exchange_param::kDownstream]), this);
  downstream_->setObjectName("downstream");
  auto* form = new QFormLayout;
  form->addRow(tr("Upstream segment (ISEG):"), upstream_);
  form->addRow(tr("Downstream segment (IBOTSEG):"), downstream_);
  MakeNumberField(upstream_, tr("Upstream segment (ISEG)"), NumberKind::kInteger);
  MakeNumberField(downstream_, tr("Downstream segment (IBOTSEG)"), NumberKind::kInteger);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  auto* group_b = new QPushButton(tr("Edit Group B (Exchanges)"), this);
  group_b->setObjectName("editGroupB");
  group_b->setAutoDefault(false);
  connect(group_b, &QPushButton::clicked, this, &ExchangeDialog::EditGroupB);
  auto* group_d = new QPushButton(tr("Edit Group D (Flows)"), this);
  group_d->setObjectName("editGroupD");
  group_d->setAutoDefault(false);
  connect(group_d, &QPushButton::clicked, this, &ExchangeDialog::EditGroupD);
  layout->addWidget(group_b);
  layout->addWidget(group_d);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

std::string ExchangeDialog::Parameter(int index) const {
  return index >= exchange_param::kUpstream && index < static_cast<int>(copy_.size())
             ? copy_[static_cast<size_t>(index)]
             : std::string();
}

void ExchangeDialog::RefreshFromNode(const Parameters& before) {
  // What the global editor changed on the node replaces the copy where the copy was untouched.
  for (size_t i = exchange_param::kExchangeField; i < copy_.size(); ++i) {
    if (copy_[i] == before[i]) copy_[i] = node_.GetParameter(static_cast<int>(i));
  }
}

void ExchangeDialog::EditGroupB() {
  if (AtoI(copy_[exchange_param::kSurfaceCount]) == 0 &&
      AtoI(copy_[exchange_param::kPoreCount]) == 0) {
    Parameters before;
    for (size_t i = 0; i < before.size(); ++i) before[i] = node_.GetParameter(static_cast<int>(i));
    if (!OfferGlobalEditor(this, node_.document(), 'B',
                           QStringLiteral("Group B has no exchange time functions yet. Add the "
                                          "surface water or pore water functions in Group B "
                                          "first."))) {
      return;
    }
    RefreshFromNode(before);
    if (AtoI(copy_[exchange_param::kSurfaceCount]) == 0 &&
        AtoI(copy_[exchange_param::kPoreCount]) == 0)
      return;
  }
  GroupBNodeEditor editor(
      AtoI(copy_[exchange_param::kExchangeField]), AtoI(copy_[exchange_param::kSurfaceCount]),
      AtoI(copy_[exchange_param::kPoreCount]), copy_[exchange_param::kEntries], this);
  if (editor.exec() != QDialog::Accepted) return;
  copy_[exchange_param::kExchangeField] = IntText(editor.field());
  copy_[exchange_param::kEntries] = editor.EntriesText();
}

void ExchangeDialog::EditGroupD() {
  Platform& platform = node_.document().platform();
  ne::PortionLists portions;
  if (!ne::SplitPortions(copy_[exchange_param::kGroupD], portions)) {
    platform.ShowMessage("Unable to edit group D portions; array string is corrupt.");
    return;
  }
  const auto flow_functions = [this] {
    int count = 0;
    for (int field = 0; field < GroupDDlg::kFieldCount; ++field) {
      count += node_.document().group_d.NINQ(field);
    }
    return count;
  };
  if (flow_functions() == 0) {
    Parameters before;
    for (size_t i = 0; i < before.size(); ++i) before[i] = node_.GetParameter(static_cast<int>(i));
    if (!OfferGlobalEditor(this, node_.document(), 'D',
                           QStringLiteral("Group D has no flow time functions yet. Add them to "
                                          "the flow fields in Group D first."))) {
      return;
    }
    RefreshFromNode(before);
    if (flow_functions() == 0 || !ne::SplitPortions(copy_[exchange_param::kGroupD], portions))
      return;
  }
  GroupDNodeEditor editor(platform, portions, this);
  if (editor.exec() != QDialog::Accepted || editor.portions() == portions) return;
  copy_[exchange_param::kGroupD] = ne::PortionsText(editor.portions());
}

void ExchangeDialog::accept() {
  if (!CheckNumberFields(this)) return;
  const int noseg = node_.document().group_a.NOSEG;
  const int upstream = AtoI(upstream_->text().toStdString());
  const int downstream = AtoI(downstream_->text().toStdString());
  // An end that names no segment would be written into decks as it is.
  if (!ne::ValidSegmentReference(upstream, noseg) ||
      !ne::ValidSegmentReference(downstream, noseg)) {
    node_.document().platform().ShowMessage(
        "An exchange end must be 0 (outside the model) or a segment ID from 1 to " +
        IntText(noseg) + ".");
    return;
  }
  copy_[exchange_param::kUpstream] = IntText(upstream);
  copy_[exchange_param::kDownstream] = IntText(downstream);
  for (int i = exchange_param::kUpstream; i < static_cast<int>(copy_.size()); ++i) {
    const std::string& text = copy_[static_cast<size_t>(i)];
    if (node_.GetParameter(i) != text) node_.SetParameter(i, text);
  }
  QDialog::accept();
}

}  // namespace orvo::ui
