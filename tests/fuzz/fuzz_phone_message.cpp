// The phone message parser: any bytes are either refused with a reason or
// read as a message of a known kind whose fields keep within their limits,
// and nothing over the size limit is ever read.

#include "fuzz_support.h"

#include "play/phone/phone_message.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzBytes(data, size);
    const auto parsed = PhoneMessage::parse(bytes);
    if (const QString *problem = std::get_if<QString>(&parsed)) {
        FUZZ_CHECK(!problem->isEmpty(), shown(bytes));
        return 0;
    }
    const PhoneMessage &message = std::get<PhoneMessage>(parsed);
    FUZZ_CHECK(bytes.size() <= PhoneMessage::kMaxBytes, shown(bytes));
    FUZZ_CHECK(message.room.size() <= PhoneMessage::kRoomCodeLength, shown(bytes));
    FUZZ_CHECK(message.name.size() <= PhoneMessage::kMaxNameLength, shown(bytes));
    FUZZ_CHECK(message.text.size() <= PhoneMessage::kMaxAnswerLength, shown(bytes));
    FUZZ_CHECK(message.token.size() <= PhoneMessage::kTokenLength, shown(bytes));
    const bool introduction = message.kind == PhoneMessage::Kind::Join || message.kind == PhoneMessage::Kind::Watch;
    FUZZ_CHECK(introduction || message.room.isEmpty(), shown(bytes));
    for (const QString &field : {message.room, message.name, message.token, message.text}) {
        for (const QChar c : field)
            FUZZ_CHECK(c.category() != QChar::Other_Control, shown(bytes));
    }
    return 0;
}
