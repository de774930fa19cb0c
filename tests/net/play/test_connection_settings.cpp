// The settings dialog's apply logic: the integer conversion and the order in
// which the endpoint's values are set.
#include <gtest/gtest.h>

#include <QUdpSocket>

#include <utility>

#include "net/endpoint/UdpEndpoint.h"
#include "net/play/ConnectionSettings.h"

using namespace corvane::endpoint;

using corvane::play::applyConnectionSettings;
using corvane::play::ApplyResult;
using corvane::play::convertToInteger;

namespace {

std::string conversionMessage(const QString& text)
{
    if (convertToInteger(text))
        return "converted";
    return corvane::play::conversionErrorText(text).toStdString();
}

int freePort()
{
    QUdpSocket probe;
    probe.bind(QHostAddress::LocalHost, 0);
    return probe.localPort();
}

} // namespace

TEST(ConvertToInteger, ReadsDecimalIntegers)
{
    const std::pair<const char*, int> cases[] = {
        {"1234", 1234},
        {"0", 0},
        {"70000", 70000},
        {"-5", -5},
        {"007", 7},
        {"2147483647", 2147483647},
        {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(convertToInteger(QString::fromUtf8(text)), value) << text;
}

TEST(ConvertToInteger, RejectsEverythingElseWithTheFrameworkText)
{
    const char* const texts[] = {
        "12a",  "2147483648", "-2147483649", "99999999999999999999999",
        "",     " ",          "12 ",         " 42",
        "+5",   "-",          "--5",         "0x4D2",
        "$4D2", "0X10",       "1e3",         "１２", // the last: full-width digits
    };
    for (const char* text : texts) {
        const QString input = QString::fromUtf8(text);
        EXPECT_EQ(conversionMessage(input), "'" + std::string(text) + "' is not a valid integer value") << text;
    }
}

TEST(ApplyConnectionSettings, AnyEmptyBoxShowsTheHintAndChangesNothing)
{
    UdpEndpoint endpoint;
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    EXPECT_EQ(applyConnectionSettings(endpoint, QString(), QStringLiteral("1"), QStringLiteral("2")).result,
              ApplyResult::MissingEntry);
    EXPECT_EQ(applyConnectionSettings(endpoint, QStringLiteral("h"), QString(), QStringLiteral("2")).result,
              ApplyResult::MissingEntry);
    EXPECT_EQ(applyConnectionSettings(endpoint, QStringLiteral("h"), QStringLiteral("1"), QString()).result,
              ApplyResult::MissingEntry);
    EXPECT_EQ(corvane::play::missingEntryText(), QStringLiteral("请输入完整的信息，以便连接对方！"));
    EXPECT_EQ(corvane::play::missingEntryCaption(), QStringLiteral("连接提示"));
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("127.0.0.1"));
}

TEST(ApplyConnectionSettings, BlanksCountAsContentAndTheHostIsTakenAsTyped)
{
    UdpEndpoint endpoint;
    const int local = freePort();
    EXPECT_EQ(
        applyConnectionSettings(endpoint, QStringLiteral(" "), QStringLiteral("70000"), QString::number(local)).result,
        ApplyResult::Applied);
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral(" "));
    EXPECT_EQ(endpoint.remotePort(), 70000);
    EXPECT_EQ(endpoint.localPort(), local);
}

TEST(ApplyConnectionSettings, ValuesSetBeforeAFailingConversionStaySet)
{
    UdpEndpoint endpoint;
    endpoint.setRemotePort(1);
    const auto first = applyConnectionSettings(endpoint, QStringLiteral("a"), QStringLiteral("x"), QStringLiteral("5"));
    EXPECT_EQ(first.result, ApplyResult::Failed);
    EXPECT_EQ(first.errorText, QStringLiteral("'x' is not a valid integer value"));
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("a"));
    EXPECT_EQ(endpoint.remotePort(), 1);
    const auto second =
        applyConnectionSettings(endpoint, QStringLiteral("b"), QStringLiteral("7"), QStringLiteral("y"));
    EXPECT_EQ(second.result, ApplyResult::Failed);
    EXPECT_EQ(second.errorText, QStringLiteral("'y' is not a valid integer value"));
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("b"));
    EXPECT_EQ(endpoint.remotePort(), 7);
    EXPECT_EQ(endpoint.localPort(), 0);
}
