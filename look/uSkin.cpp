#include "look/uSkin.h"

tSkinSettings SkinSettings;
