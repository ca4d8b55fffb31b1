// Reading run files off the window's thread: a report's runs may be hundreds of megabytes.
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace orvo {
class Platform;
}

namespace orvo::ui {

struct BackgroundResult {
  std::vector<std::string> messages;  // what the work reported, in order, not yet shown
  bool cancelled = false;             // the user pressed "Cancel"
};

// Runs work on a thread of its own and returns when it has ended. Meanwhile the program keeps
// repainting, and a modal progress window with "Cancel" appears once the work takes longer
// than a moment. work talks to the user only through the platform it is given: its messages
// are kept for the caller to show, its progress moves the bar, Cancel makes its progress calls
// answer "stop", and its questions are answered No.
BackgroundResult RunInBackground(QWidget* parent, const QString& title,
                                 const std::function<void(Platform&)>& work);

}  // namespace orvo::ui
