#include "windows/tgrupf.h"

#include "windows/instances.h"
#include "windows/tcetvelf.h"

Tgrupf::Tgrupf(QWidget *parent)
    : tk::TForm(QSize(471, 368), QStringLiteral("Tgrupf"), Buttons::SystemMenuAndMinimize, parent)
{
    setObjectName(QStringLiteral("grupf"));
}

Tgrupf::~Tgrupf() = default;

void Tgrupf::FormShow()
{
    setWindowTitle(cetvelf->windowTitle());
}
