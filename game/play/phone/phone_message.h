#pragma once

#include <QByteArray>
#include <QString>

#include <variant>

// What a phone may say to the game. Every message is one small JSON object
// with a "type" and exactly the fields of that type; anything else is
// refused before it can reach the game.
struct PhoneMessage {
    enum class Kind { Join, Watch, Answer, Buzz, Ping };

    static constexpr qsizetype kMaxBytes = 1024;
    static constexpr int kMaxNameLength = 20;
    static constexpr int kMaxAnswerLength = 40;
    static constexpr int kRoomCodeLength = 4;
    static constexpr int kTokenLength = 32;

    Kind kind = Kind::Ping;
    QString room; // join, watch
    QString name; // join
    QString token; // join: the seat the phone held before, may be empty
    QString text; // answer

    // The message the bytes hold, or why they are refused.
    static std::variant<PhoneMessage, QString> parse(const QByteArray &bytes);
};
