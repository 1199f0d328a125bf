// The application object: the title, the message loop and the standard
// exception box. One exists while the program runs; it owns Qt's application.
#ifndef KOMBREL_PLATFORM_WIDGETS_APPLICATION_H
#define KOMBREL_PLATFORM_WIDGETS_APPLICATION_H

#include <exception>
#include <memory>
#include <string>

class QApplication;
class QTranslator;
class TForm;

class TApplication {
public:
    // `argc` and `argv` must outlive the object, as Qt keeps them. The
    // interface is Japanese whatever the locale, Qt's own dialogs included
    // where Qt's Japanese translation is installed.
    TApplication(int &argc, char **argv);
    ~TApplication();
    TApplication(const TApplication &) = delete;
    TApplication &operator=(const TApplication &) = delete;

    // The title names the program to the user: the caption of the exception
    // box. It does not change a form's caption.
    const std::string &Title() const { return title_; }
    void SetTitle(std::string title) { title_ = std::move(title); }

    // The icon of every window, loaded from the program's embedded resource
    // `resourceName`. Raises EInvalidGraphic when there is no such picture.
    void SetIcon(const std::string &resourceName);

    // Shows `mainForm` and runs the message loop until it has closed.
    void Run(TForm &mainForm);

    // The standard exception box: stop icon, the exception's message followed
    // by ".", the title as caption; shown through the current presenter.
    void ShowException(std::exception_ptr error);

    // The application object of the running program; null before it exists.
    static TApplication *Current();

    // Whether this process can open windows: a display is named in the
    // environment, or a Qt platform is chosen explicitly.
    static bool DisplayAvailable();

private:
    std::unique_ptr<QApplication> qt_;
    std::unique_ptr<QTranslator> qtTexts_; // Qt's own texts in Japanese, when installed
    std::string title_;
};

#endif
