// Drives modal dialogs in the window tests: the test arms an action, then opens the dialog.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QtTest>
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

}  // namespace orvo::testing
