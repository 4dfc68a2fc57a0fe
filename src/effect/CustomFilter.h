// The effect: the framework's filter with the stroke renderer behind it.
#pragma once

#include "framework/BaseFilter.h"

class CustomFilter : public BaseFilter {};
