#pragma once
// Plain HTTP requests from a test to the test world (its control endpoints under /world/).
#include <string>

namespace qivyun::test {

// The body of the answer, or empty on any failure; the status goes to *status when given.
std::string HttpRequest(const std::string& method, const std::string& address, const std::string& body = {},
                        int* status = nullptr);

}  // namespace qivyun::test
