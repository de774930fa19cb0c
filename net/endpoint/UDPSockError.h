#pragma once
// The exception the UDP endpoint raises for its own failures. It carries the
// message text that the application's default error box shows.
#include <stdexcept>
#include <string>

class UDPSockError : public std::runtime_error {
public:
    explicit UDPSockError(const std::string& message) : std::runtime_error(message) {}
};
