// Drives modal dialogs in the window tests: the test arms an action, then opens the dialog.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>
#include <deque>
#include <functional>

namespace orvo::testing {

// Runs action on the modal dialog of type T as soon as it is shown. A dialog the action
// left open (a failed check returns early) is rejected so that the test goes on.
template <typename T>
void OnModal(std::function<void(T*)> action) {
  auto* timer = new QTimer;
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, action] {
    auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    timer->stop();
    timer->deleteLater();
    action(dialog);
    if (dialog->isVisible()) dialog->reject();
  });
  timer->start();
}

// Clicks the button of dialog with the given object name.
inline void Click(QWidget* dialog, const char* name) {
  auto* button = dialog->findChild<QAbstractButton*>(name);
  QVERIFY2(button != nullptr, name);
  button->click();
}

// Answers the message boxes that open while it lives, one button each in the given order, the
// last for every box after it, and keeps their texts.
class BoxAnswers {
 public:
  explicit BoxAnswers(std::deque<QMessageBox::StandardButton> buttons)
      : buttons_(std::move(buttons)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (box == nullptr || buttons_.empty()) return;
      texts << box->text();
      QAbstractButton* chosen = box->button(buttons_.front());
      if (buttons_.size() > 1) buttons_.pop_front();
      (chosen != nullptr ? chosen : box->buttons().value(0))->click();
    });
    timer_.start(10);
  }
  QStringList texts;

 private:
  std::deque<QMessageBox::StandardButton> buttons_;
  QTimer timer_;
};

}  // namespace orvo::testing
