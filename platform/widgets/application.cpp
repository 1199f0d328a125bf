#include "platform/widgets/application.h"

#include <QApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QMetaObject>
#include <QPixmap>
#include <QTranslator>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "platform/exceptions.h"
#include "platform/presenter.h"
#include "platform/widgets/event_dispatch.h"
#include "platform/widgets/fonts.h"
#include "platform/widgets/form.h"
#include "platform/widgets/qt_text.h"

namespace {

TApplication *current = nullptr;
bool laterBoxPending = false;

} // namespace

TApplication::TApplication(int &argc, char **argv)
    : qt_(std::make_unique<QApplication>(argc, argv)), qtTexts_(std::make_unique<QTranslator>())
{
    current = this;
    SubstituteMissingFonts();
    // The file dialogs' labels and buttons; without the file Qt's English stays.
    if (qtTexts_->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qtTexts_.get());
}

TApplication::~TApplication()
{
    QCoreApplication::removeTranslator(qtTexts_.get());
    if (current == this)
        current = nullptr;
}

void TApplication::SetIcon(const std::string &resourceName)
{
    const QPixmap picture(QStringLiteral(":/") + ToQString(resourceName));
    if (picture.isNull())
        throw EInvalidGraphic("no picture in resource " + resourceName);
    QApplication::setWindowIcon(QIcon(picture));
}

void TApplication::Run(TForm &mainForm)
{
    mainForm.Show();
    QApplication::exec();
}

void TApplication::ShowException(std::exception_ptr error)
{
    ShowExceptionBox(ExceptionMessage(error));
}

TApplication *TApplication::Current()
{
    return current;
}

bool TApplication::DisplayAvailable()
{
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char *value = std::getenv(name);
        if (value != nullptr && *value != '\0')
            return true;
    }
    return false;
}

std::string ExceptionMessage(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Exception &e) {
        return e.Message();
    } catch (const std::bad_alloc &) {
        return EOutOfMemory().Message();
    } catch (const std::exception &e) {
        return e.what();
    } catch (...) {
        return "Unknown exception";
    }
}

void ShowExceptionBox(const std::string &message) noexcept
{
    try {
        MessageRequest request;
        request.text = message + ".";
        request.caption = current != nullptr ? current->Title() : std::string();
        request.icon = MsgIcon::Stop;
        request.buttons = {MsgButton::Ok};
        CurrentPresenter().ShowMessage(request);
    } catch (...) {
        // The box itself failed; standard error is all that is left.
        std::fprintf(stderr, "%s.\n", message.c_str());
    }
}

void ShowExceptionBoxLater(const std::string &message) noexcept
{
    if (laterBoxPending || QCoreApplication::instance() == nullptr)
        return;
    try {
        laterBoxPending = true;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [message] {
                ShowExceptionBox(message);
                laterBoxPending = false;
            },
            Qt::QueuedConnection);
    } catch (...) {
        laterBoxPending = false;
        std::fprintf(stderr, "%s.\n", message.c_str());
    }
}
