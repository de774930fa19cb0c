// The settings dialog's apply logic: the integer conversion and the order in
// which the endpoint's values are set.
#include <gtest/gtest.h>

#include <QUdpSocket>

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

TEST(ConvertToInteger, ReadsWhatThePlatformConversionReads)
{
    EXPECT_EQ(convertToInteger(QStringLiteral("1234")), 1234);
    EXPECT_EQ(convertToInteger(QStringLiteral("0")), 0);
    EXPECT_EQ(convertToInteger(QStringLiteral("70000")), 70000);
    EXPECT_EQ(convertToInteger(QStringLiteral("  42")), 42);
    EXPECT_EQ(convertToInteger(QStringLiteral("-5")), -5);
    EXPECT_EQ(convertToInteger(QStringLiteral("$FF")), 255);
    EXPECT_EQ(convertToInteger(QStringLiteral("0x10")), 16);
    EXPECT_EQ(convertToInteger(QStringLiteral("2147483647")), 2147483647);
    EXPECT_EQ(convertToInteger(QStringLiteral("-2147483648")), -2147483647 - 1);
}

TEST(ConvertToInteger, RejectsEverythingElseWithTheFrameworkText)
{
    EXPECT_EQ(conversionMessage(QStringLiteral("12a")), "'12a' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral("2147483648")), "'2147483648' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral("99999999999999999999999")),
              "'99999999999999999999999' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral(" ")), "' ' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral("12 ")), "'12 ' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral("-")), "'-' is not a valid integer value");
    EXPECT_EQ(conversionMessage(QStringLiteral("１２")), "'１２' is not a valid integer value");  // full-width digits
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
