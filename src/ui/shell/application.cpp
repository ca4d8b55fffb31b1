#include "ui/shell/application.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileInfo>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

#include "model/project_document.h"
#include "model/scripted_platform.h"
#include "model/settings.h"
#include "ui/help/help_pictures.h"
#include "ui/help/help_window.h"
#include "ui/network/network_picture.h"
#include "ui/results/results_picture.h"
#include "ui/shell/about_dialog.h"
#include "ui/shell/main_frame.h"
#include "ui/shell/qt_platform.h"

void InitShellResources();

namespace orvo::ui {
namespace {

constexpr std::array<DocumentType, 2> kDocumentTypes = {{
    {"COrvoBuilderDoc", "CChildFrame", "COrvoBuilderView",
     "\nOrvoB\nOrvoB\nORVO Builder Files (*.orb)\n.orb\nORVOBuilder.Document\nORVO Builder Files"},
    {"CORVOReportDoc", "CChildFrame", "CORVOReportView",
     "\nReport\nORVO Report\nORVO Report Files (*.orr)\n.ORR\nORVOReport.Document\nORVO Report"},
}};

// Exceptions must not travel through Qt's event loop: one that escapes an event handler is
// reported here and ends the program with status 1.
class OrvoApplication : public QApplication {
 public:
  using QApplication::QApplication;
  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::bad_alloc&) {
      Fail("out of memory");
    } catch (const std::exception& error) {
      Fail(error.what());
    } catch (...) {
      Fail("unknown error");
    }
    return false;
  }

 private:
  void Fail(const char* what) {
    std::fprintf(stderr, "orvobuilder: unexpected error: %s\n", what);
    if (failed_) return;
    failed_ = true;
    QMessageBox::critical(nullptr, QStringLiteral("ORVO Builder"),
                          QStringLiteral("An unexpected error stopped ORVO Builder: %1")
                              .arg(QString::fromLocal8Bit(what)));
    QCoreApplication::exit(1);
  }
  bool failed_ = false;
};

const char* const kUsage =
    "usage: orvobuilder [PROJECT.orb|REPORT.orr...]\n"
    "       orvobuilder --export-picture PROJECT.orb OUT.png|OUT.svg|OUT.pdf\n"
    "           [--results RUNPATH --variable NAME --time DAYS]\n"
    "       orvobuilder --export-chart RUNPATH OUT.png|OUT.svg|OUT.pdf [--type model|transport]\n"
    "       orvobuilder --help-pictures PROJECT.orb DIRECTORY\n"
    "       orvobuilder --version | --help\n"
    "\n"
    "Opens the project and report files named (none: an empty window).\n"
    "  --export-picture  write the network picture of PROJECT without opening a window,\n"
    "                    coloured by a run's results with --results\n"
    "  --export-chart    write the results chart of the run RUNPATH without opening a window\n"
    "  --help-pictures   write the user guide's pictures of PROJECT into DIRECTORY\n"
    "  --version         print the version and end\n"
    "The user guide: Help > ORVO Builder Help, or man orvobuilder.\n";

}  // namespace

const std::array<DocumentType, 2>& DocumentTypes() {
  return kDocumentTypes;
}

std::string ResourceField(const DocumentType& type, DocumentTypeField field) {
  std::string_view rest = type.resource;
  for (int i = 0; i < field; ++i) {
    const size_t newline = rest.find('\n');
    if (newline == std::string_view::npos) return {};
    rest.remove_prefix(newline + 1);
  }
  return std::string(rest.substr(0, rest.find('\n')));
}

// ---------------------------------------------------------------------------------------------

StartupPicture::StartupPicture(QWidget* main_window, int lifetime_ms)
    : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      main_window_(main_window) {
  InitShellResources();
  setAttribute(Qt::WA_DeleteOnClose);
  setFixedSize(480, 300);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  qApp->installEventFilter(this);
  QTimer::singleShot(lifetime_ms, this, &StartupPicture::Dismiss);
}

StartupPicture::~StartupPicture() {
  qApp->removeEventFilter(this);
}

bool StartupPicture::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
      Dismiss();
      break;
    default:
      break;
  }
  return QWidget::eventFilter(watched, event);
}

void StartupPicture::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  QSvgRenderer picture(QStringLiteral(":/shell/splash.svg"));
  picture.render(&painter, rect());
}

void StartupPicture::Dismiss() {
  qApp->removeEventFilter(this);
  hide();
  deleteLater();
  if (main_window_) main_window_->update();
}

// ---------------------------------------------------------------------------------------------

QString StartDirectory() {
  QtPlatform platform;
  const QString chosen = QString::fromStdString(platform.GetSetting(settings::kStartDirectory));
  if (!chosen.isEmpty()) return QFileInfo(chosen).isDir() ? chosen : QString();
  QString directory =
      QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../examples"));
  // Installed, the programs live in <prefix>/lib/orvobuilder and the examples in
  // <prefix>/share/orvobuilder/examples.
  if (!QFileInfo(directory).isDir()) {
    directory = QDir::cleanPath(QCoreApplication::applicationDirPath() +
                                QStringLiteral("/../../share/orvobuilder/examples"));
  }
  // A directory that does not exist leaves the working directory as it is.
  return QFileInfo(directory).isDir() ? directory : QString();
}

CMainFrame* StartDesktop(const QStringList& arguments, const StartupOptions& options) {
  auto* main = new CMainFrame;
  main->setAttribute(Qt::WA_DeleteOnClose);
  if (options.show_picture) {
    auto* picture = new StartupPicture(main, options.picture_ms);
    picture->show();
    // The pause shows the picture before anything else competes for the screen.
    QElapsedTimer shown;
    shown.start();
    while (shown.elapsed() < options.pause_ms) {
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 50);
    }
  }
  for (const QString& file : arguments) main->OpenFile(file);
  main->show();
  const QString start = StartDirectory();
  if (!start.isEmpty()) QDir::setCurrent(start);
  return main;
}

int ExportPictureCommand(const QString& project, const QString& out) {
  ScriptedPlatform platform;
  platform.default_answer = false;
  platform.echo = [](const std::string& text) { std::fprintf(stderr, "%s\n", text.c_str()); };
  COrvoBuilderDoc document(platform);
  if (!document.Load(LocalPath(project))) return 1;
  QString error;
  if (!ExportNetworkPicture(document, out, error)) {
    std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
    return 1;
  }
  return 0;
}

int RunOrvoBuilder(int argc, char** argv) {
  bool export_picture = false;
  bool help_pictures = false;
  bool platform_chosen = !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
  for (int i = 1; i < argc; ++i) {
    // Answered before Qt starts, so that it works without a display.
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("ORVO Builder %s\n", qPrintable(VersionLine()));
      return 0;
    }
    if (std::strcmp(argv[i], "--export-picture") == 0) export_picture = true;
    if (std::strcmp(argv[i], "--help-pictures") == 0) help_pictures = true;
    if (std::strcmp(argv[i], "-platform") == 0) platform_chosen = true;
  }
  // The export opens no window, so it needs no display.
  if (export_picture && !platform_chosen) qputenv("QT_QPA_PLATFORM", "offscreen");

  OrvoApplication application(argc, argv);
  QCoreApplication::setOrganizationName(QString::fromUtf8(kSettingsOrganisation));
  QCoreApplication::setApplicationName(QString::fromUtf8(kSettingsApplication));
  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();

  if (export_picture) {
    if (arguments.size() > 3 && arguments[0] == QLatin1String("--export-picture")) {
      const int status = ExportResultsPictureCommand(arguments.mid(1));
      if (status == 2) std::fputs(kUsage, stderr);
      return status;
    }
    if (arguments.size() != 3 || arguments[0] != QLatin1String("--export-picture")) {
      std::fputs(kUsage, stderr);
      return 1;
    }
    return ExportPictureCommand(arguments[1], arguments[2]);
  }
  if (help_pictures) {
    if (arguments.size() != 3 || arguments[0] != QLatin1String("--help-pictures")) {
      std::fputs(kUsage, stderr);
      return 2;
    }
    return WriteHelpPictures(arguments[1], arguments[2]);
  }
  for (const QString& argument : arguments) {
    if (!argument.startsWith(u'-')) continue;
    std::fprintf(stderr, "orvobuilder: unknown option %s\n", qPrintable(argument));
    std::fputs(kUsage, stderr);
    return 2;
  }
  InstallHelpKey();
  StartDesktop(arguments, StartupOptions{});
  return QApplication::exec();
}

}  // namespace orvo::ui
