#pragma once
// The same picture under every system code page. Under 936 a picture becomes the reference of its
// name; under any other code page it must equal that reference pixel for pixel. Both are kept as
// out/screens/code-pages/NAME-CODEPAGE.png, to look at.
#include "DibCanvas.h"

#include <gtest/gtest.h>

#include <string>

namespace qivyun::test {

testing::AssertionResult SameAsUnder936(const DibCanvas& picture, const std::string& name);

}  // namespace qivyun::test
