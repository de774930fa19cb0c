#include "net/protocol/MessageText.h"

#include "net/protocol/Gbk.h"

namespace corvane::protocol {

std::string chatMessagePrefix()
{
    return utf8ToGbk("message|2|3|4|5|6|来自 ");
}

std::string composeChatMessage(std::string_view dateUtf8, std::string_view timeUtf8, std::string_view textUtf8)
{
    std::string field7;
    field7 += dateUtf8;
    field7 += "  ";
    field7 += timeUtf8;
    field7 += "\r\n";
    field7 += textUtf8;
    return chatMessagePrefix() + utf8ToGbk(field7);
}

MessageFields splitMessage(std::string_view bytes)
{
    MessageFields fields;
    std::string_view rest = bytes;
    for (std::size_t i = 0; i < 6; ++i) {
        const std::size_t bar = rest.find(FieldSeparator);
        if (bar == std::string_view::npos)
            continue; // this field stays empty and the rest stays as it was
        fields[i] = std::string(rest.substr(0, bar));
        rest.remove_prefix(bar + 1);
    }
    fields[6] = std::string(rest);
    return fields;
}

} // namespace corvane::protocol
