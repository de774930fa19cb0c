#include "net/protocol/GameMessage.h"

namespace corvane::protocol {

std::string composeMessage(std::string_view field1, std::string_view field2, std::string_view field3,
                           std::string_view field4, std::string_view field5, std::string_view field6,
                           std::string_view field7)
{
    std::string text;
    text.reserve(field1.size() + field2.size() + field3.size() + field4.size() + field5.size() + field6.size() +
                 field7.size() + 6);
    for (std::string_view field : {field1, field2, field3, field4, field5, field6}) {
        text += field;
        text += FieldSeparator;
    }
    text += field7;
    return text;
}

} // namespace corvane::protocol
