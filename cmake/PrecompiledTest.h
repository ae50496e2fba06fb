#pragma once

#include "Precompiled.h"

#include <gtest/gtest.h>
