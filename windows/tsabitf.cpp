#include "windows/tsabitf.h"

#include "windows/instances.h"
#include "windows/tcetvelf.h"

Tsabitf::Tsabitf(QWidget *parent)
    : tk::TForm(QSize(641, 329), QStringLiteral("Tsabitf"), Buttons::SystemMenuAndMinimize, parent)
{
    setObjectName(QStringLiteral("sabitf"));
}

Tsabitf::~Tsabitf() = default;

void Tsabitf::FormShow()
{
    setWindowTitle(cetvelf->windowTitle());
}
