#pragma once

#include <stdexcept>
#include <string>

namespace tk {

// The one exception type that the toolkit and the widgets raise; the application's error
// display shows its message and the event loop goes on.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace tk
