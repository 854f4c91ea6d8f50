// Times the rules window's RTF reader against Qt's own HTML reader building
// the same document, and checks that reading grows linearly with the input
// even when the input is nothing but binary noise.
#include "services/files/rtf_reader.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QRandomGenerator>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

double bestOfThreeMs(const std::function<void()> &work)
{
    double best = 1e300;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        work();
        best = std::min(best, timer.nsecsElapsed() / 1e6);
    }
    return best;
}

void print(const char *name, double value)
{
    std::printf("%s: %.2f\n", name, value);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);

    const int paragraphs = 20000;
    QByteArray rtf("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}{\\colortbl;\\red200\\green60\\blue0;}\n");
    QString html(QStringLiteral("<html><body style=\"font-family:Arial\">"));
    for (int i = 0; i < paragraphs; ++i) {
        rtf += "\\pard\\sa120 Prompt " + QByteArray::number(i)
               + " with {\\b bold} and {\\i italic} words, {\\cf1 some colour} and caf\\'e9 too.\\par\n";
        html += QStringLiteral("<p style=\"margin-bottom:8px\">Prompt %1 with <b>bold</b> and <i>italic</i> words, "
                               "<span style=\"color:#c83c00\">some colour</span> and caf&eacute; too.</p>")
                    .arg(i);
    }
    rtf += "}";
    html += QStringLiteral("</body></html>");

    QTextDocument document;
    const double ours = bestOfThreeMs([&] { RtfReader::read(rtf, document); });
    const int ourBlocks = document.blockCount();
    const double reference = bestOfThreeMs([&] { document.setHtml(html); });
    std::printf("document_paragraphs: %d (rtf %d blocks, html %d blocks)\n", paragraphs, ourBlocks,
                document.blockCount());
    print("rtf_reader_ms", ours);
    print("qt_html_reader_ms", reference);

    QByteArray noise(50 << 20, Qt::Uninitialized);
    QRandomGenerator random(7);
    random.fillRange(reinterpret_cast<quint32 *>(noise.data()), noise.size() / 4);
    // Unclosed, the noise is read to its very end: text, escapes, control
    // words and groups opened ever deeper.
    noise.replace('}', ' ');
    const QByteArray small = "{\\rtf1 " + noise.left(5 << 20);
    const QByteArray large = "{\\rtf1 " + noise;
    const double smallMs = bestOfThreeMs([&] { RtfReader::read(small, document); });
    const double largeMs = bestOfThreeMs([&] { RtfReader::read(large, document); });
    print("rtf_binary_5mb_ms", smallMs);
    print("rtf_binary_50mb_ms", largeMs);
    print("rtf_binary_50mb_over_5mb", largeMs / smallMs);

    print("rtf_reader_over_qt_html_reader", ours / reference);
    return 0;
}
