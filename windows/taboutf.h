#pragma once

#include "toolkit/tform.h"

#include <chrono>
#include <functional>

class QKeyEvent;
class QToolButton;
class QUrl;
class TCreditsPanel;
class TShadowLabel;

namespace tk {
class TLabel;
} // namespace tk

// The about dialog: headings, version, the scrolling credits and the maker's links.
class TAboutF : public tk::TForm {
    Q_OBJECT
public:
    // Hands a web or mail-to address to the desktop; what it returns is not looked at.
    using UrlOpener = std::function<void(const QUrl &url)>;

    // The regular credits run from `creditsSince` on (start-up, for the program's own dialog, made
    // when it is first needed), unseen until the dialog is first shown.
    explicit TAboutF(QWidget *parent = nullptr,
                     std::chrono::steady_clock::time_point creditsSince = std::chrono::steady_clock::now());
    ~TAboutF() override;

    // Replaces the desktop hand-off (tests record the addresses instead); returns the previous one.
    static UrlOpener setUrlOpener(UrlOpener opener);

    // The components the handlers use; the others are found by name (LayoutBuilder::component).
    tk::TLabel *srm = nullptr;
    TCreditsPanel *CreditsPanel1 = nullptr;
    TCreditsPanel *CreditsPanel2 = nullptr;
    TShadowLabel *ShadowLabel1 = nullptr;
    TShadowLabel *ShadowLabel2 = nullptr;
    QToolButton *SpeedButton1 = nullptr;

protected:
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;
    void FormKeyDown(QKeyEvent *event);
    void ShadowLabel1Click();
    void ShadowLabel2Click();
    void SpeedButton1Click();

    void kapatExecute() override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void buildComponents();
};
