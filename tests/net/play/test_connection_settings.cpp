// The settings dialog's apply logic: the integer conversion and the order in
// which the endpoint's values are set.
#include <gtest/gtest.h>

#include <QUdpSocket>

#include <utility>

#include "net/endpoint/TUdpEndpoint.h"
#include "net/play/ConnectionSettings.h"
#include "ui/MessageBox.h"

using corvane::play::ApplyResult;
using corvane::play::applyConnectionSettings;
using corvane::play::ConvertError;
using corvane::play::convertToInteger;

namespace {

std::string conversionMessage(const QString& text)
{
    try {
        convertToInteger(text);
    } catch (const ConvertError& error) {
        return error.what();
    }
    return "converted";
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
        {"1234", 1234}, {"0", 0}, {"70000", 70000}, {"-5", -5}, {"007", 7},
        {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(convertToInteger(QString::fromUtf8(text)), value) << text;
}

TEST(ConvertToInteger, RejectsEverythingElseWithTheFrameworkText)
{
    const char* const texts[] = {
        "12a", "2147483648", "-2147483649", "99999999999999999999999", "", " ", "12 ", " 42", "+5", "-", "--5",
        "0x4D2", "$4D2", "0X10", "1e3", "１２",  // the last: full-width digits
    };
    for (const char* text : texts) {
        const QString input = QString::fromUtf8(text);
        EXPECT_EQ(conversionMessage(input), "'" + std::string(text) + "' is not a valid integer value") << text;
    }
}

TEST(ApplyConnectionSettings, AnyEmptyBoxShowsTheHintAndChangesNothing)
{
    TUdpEndpoint endpoint;
    endpoint.setRemoteHost(QStringLiteral("127.0.0.1"));
    corvane::MessageBoxRecorder recorder;
    EXPECT_EQ(applyConnectionSettings(nullptr, endpoint, QString(), QStringLiteral("1"), QStringLiteral("2")),
              ApplyResult::MissingEntry);
    EXPECT_EQ(applyConnectionSettings(nullptr, endpoint, QStringLiteral("h"), QString(), QStringLiteral("2")),
              ApplyResult::MissingEntry);
    EXPECT_EQ(applyConnectionSettings(nullptr, endpoint, QStringLiteral("h"), QStringLiteral("1"), QString()),
              ApplyResult::MissingEntry);
    ASSERT_EQ(recorder.boxes().size(), 3);
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("请输入完整的信息，以便连接对方！"));
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("连接提示"));
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("127.0.0.1"));
}

TEST(ApplyConnectionSettings, BlanksCountAsContentAndTheHostIsTakenAsTyped)
{
    TUdpEndpoint endpoint;
    const int local = freePort();
    EXPECT_EQ(applyConnectionSettings(nullptr, endpoint, QStringLiteral(" "), QStringLiteral("70000"),
                                      QString::number(local)),
              ApplyResult::Applied);
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral(" "));
    EXPECT_EQ(endpoint.remotePort(), 70000);
    EXPECT_EQ(endpoint.localPort(), local);
}

TEST(ApplyConnectionSettings, ValuesSetBeforeAFailingConversionStaySet)
{
    TUdpEndpoint endpoint;
    endpoint.setRemotePort(1);
    EXPECT_THROW(applyConnectionSettings(nullptr, endpoint, QStringLiteral("a"), QStringLiteral("x"),
                                         QStringLiteral("5")),
                 ConvertError);
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("a"));
    EXPECT_EQ(endpoint.remotePort(), 1);
    EXPECT_THROW(applyConnectionSettings(nullptr, endpoint, QStringLiteral("b"), QStringLiteral("7"),
                                         QStringLiteral("y")),
                 ConvertError);
    EXPECT_EQ(endpoint.remoteHost(), QStringLiteral("b"));
    EXPECT_EQ(endpoint.remotePort(), 7);
    EXPECT_EQ(endpoint.localPort(), 0);
}
