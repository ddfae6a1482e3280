#include "windows/taboutf.h"

#include "windows/instances.h"
#include "windows/tcetvelf.h"

TAboutF::TAboutF(QWidget *parent)
    : tk::TForm(QSize(293, 274), QStringLiteral("TAboutF"), Buttons::SystemMenuOnly, parent)
{
    setObjectName(QStringLiteral("AboutF"));
}

TAboutF::~TAboutF() = default;

void TAboutF::FormShow()
{
    setWindowTitle(cetvelf->windowTitle());
}
