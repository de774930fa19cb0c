// The endpoint running under CorvaneApplication: a slot that reports a
// failed send in the default error box, boxes opened while datagrams keep
// coming, and the application's last-resort catch.
#include "EndpointTestSupport.h"
#include "support/MessageBoxRecorder.h"

#include <gtest/gtest.h>

#include <stdexcept>

using namespace endpoint_test;

TEST(UdpEndpointInApplication, ASlotWhoseSendFailsDoesNotStopTheNextDatagrams)
{
    corvane::MessageBoxRecorder recorder;
    auto endpoint = makeSelfEndpoint();
    QList<QByteArray> handled;
    QObject::connect(endpoint.get(), &UdpEndpoint::datagramReceived, [&](const QByteArray& bytes) {
        if (bytes == "raise") {
            // A send from the slot to a peer that cannot exist.
            endpoint->setRemoteHost(QStringLiteral("0.0.0.0"));
            if (const UdpResult sent = endpoint->sendDatagram("reply"); !sent) {
                corvane::showErrorBox(sent.errorText());
                return; // the rest of the slot does not run
            }
        }
        handled << bytes;
    });
    auto peer = makePeerSocket();
    for (const char* text : {"one", "raise", "two"})
        peer->writeDatagram(text, QHostAddress::LocalHost, endpoint->boundPort());
    ASSERT_TRUE(waitUntil([&] { return handled.size() == 2; }));
    settle();
    EXPECT_EQ(handled, QList<QByteArray>({"one", "two"}));
    ASSERT_EQ(recorder.boxes().size(), 1);
    EXPECT_EQ(recorder.boxes()[0].icon, corvane::BoxIcon::Error);
    EXPECT_EQ(recorder.boxes()[0].caption, QStringLiteral("Corvane"));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Null Remote Address."));
}

TEST(UdpEndpointInApplication, DatagramsAreHandledWhileAnErrorBoxIsOpen)
{
    corvane::MessageBoxRecorder recorder;
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    QList<QByteArray> handled;
    QList<QByteArray> handledWhileBoxOpen;
    QObject::connect(endpoint.get(), &UdpEndpoint::datagramReceived,
                     [&](const QByteArray& bytes) { handled << bytes; });
    recorder.onShow = [&](const corvane::RecordedBox&) {
        peer->writeDatagram("during the box", QHostAddress::LocalHost, port);
        waitUntil([&] { return !handled.isEmpty(); });
        handledWhileBoxOpen = handled;
    };
    // A raise that nothing else catches ends in the application's box.
    QTimer::singleShot(0, [] { throw std::runtime_error("Host Lookup Canceled"); });
    ASSERT_TRUE(waitUntil([&] { return recorder.boxes().size() == 1; }));
    EXPECT_EQ(recorder.boxes()[0].text, QStringLiteral("Host Lookup Canceled."));
    EXPECT_EQ(handledWhileBoxOpen, QList<QByteArray>({"during the box"}));
}

TEST(UdpEndpointInApplication, ASlotFailingOnEveryDatagramOpensOneBoxNotOnePerDatagram)
{
    corvane::MessageBoxRecorder recorder;
    auto endpoint = makeSelfEndpoint();
    auto peer = makePeerSocket();
    const quint16 port = endpoint->boundPort();
    int handled = 0;
    QObject::connect(endpoint.get(), &UdpEndpoint::datagramReceived, [&] {
        ++handled;
        corvane::showErrorBox(QStringLiteral("Null Remote Address"));
    });
    constexpr int Storm = 200;
    recorder.onShow = [&](const corvane::RecordedBox&) {
        // While the first box is open, the rest of the storm arrives.
        if (handled == 1)
            for (int i = 1; i < Storm; ++i)
                peer->writeDatagram("x", QHostAddress::LocalHost, port);
        waitUntil([&] { return handled == Storm; });
    };
    peer->writeDatagram("x", QHostAddress::LocalHost, port);
    ASSERT_TRUE(waitUntil([&] { return handled == Storm; }));
    EXPECT_EQ(recorder.boxes().size(), 1);
}
