// The decoder of requests handed to the running copy, on any bytes a local
// client may send: it reads a whole request or waits for more, never reads
// past what it was given, and a request it reads goes out again as the same
// bytes a client of ours would send.

#include "app/instancechannel.h"
#include "fuzzsupport.h"

#include <QBuffer>

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    FuzzSupport::start(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    InstanceChannel::Message message;
    if (!InstanceChannel::decode(&buffer, &message)) {
        FuzzSupport::expect(buffer.pos() == 0, "waiting for more takes nothing");
        return 0;
    }
    FuzzSupport::expect(buffer.pos() <= qint64(size), "no byte read past the request");
    if (!message.request)
        return 0;
    const QByteArray sent = InstanceChannel::encode(*message.request, message.text);
    QByteArray again = sent;
    QBuffer echo(&again);
    echo.open(QIODevice::ReadOnly);
    InstanceChannel::Message read;
    FuzzSupport::expect(InstanceChannel::decode(&echo, &read), "our own request reads whole");
    FuzzSupport::expect(read.request == message.request && read.text == message.text,
                        "and the same", read.text, message.text);
    FuzzSupport::expect(echo.atEnd(), "to its last byte");
    // A request cut anywhere waits for the rest.
    for (qsizetype cut : {qsizetype(0), sent.size() / 2, sent.size() - 1}) {
        QByteArray part = sent.left(cut);
        QBuffer partial(&part);
        partial.open(QIODevice::ReadOnly);
        InstanceChannel::Message none;
        FuzzSupport::expect(!InstanceChannel::decode(&partial, &none), "a cut request waits");
    }
    return 0;
}
