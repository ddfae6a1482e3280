#include "windows/instances.h"

Tcetvelf *cetvelf = nullptr;
Tsabitf *sabitf = nullptr;
Tgrupf *grupf = nullptr;
TAboutF *AboutF = nullptr;
