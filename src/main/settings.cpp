#include "main/settings.h"

namespace vesk {

Settings settings;
volatile int floaterr_flg = 0;

}  // namespace vesk
