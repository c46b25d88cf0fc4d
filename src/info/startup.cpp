#include "info/startup.h"

#include "common/form.h"
#include "info/frmsplash.h"

void startProgram()
{
    showModeless<FrmSplash>();
}
