#include "windows/tcetvelf.h"

#include "windows/instances.h"

Tcetvelf::Tcetvelf(QWidget *parent)
    : tk::TForm(QSize(769, 479), QStringLiteral("KORVANTA Tamelis - Periyodik Cetvel "),
                Buttons::SystemMenuAndMinimize, parent)
{
    setObjectName(QStringLiteral("cetvelf"));
    setColor(tk::clWhite);
}

Tcetvelf::~Tcetvelf() = default;

void Tcetvelf::FormShow()
{
    setWindowTitle(windowTitle() + QString::fromUtf16(VersionText));
}
