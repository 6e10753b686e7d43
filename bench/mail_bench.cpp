// A message with five attachments of 20 MB each:
//   mime   the message written as the test message writes it (GMime: base64 attachments,
//          quoted-printable HTML) into an anonymous temporary file;
//   raw    the same 100 MB of attachments copied into an anonymous temporary file, 64 KB a time.
// Prints the ratio and the growth of resident memory while the message is written: the files
// must stream, never be held whole. Run:
//   build/bench/mail_bench --benchmark_repetitions=5 --benchmark_enable_random_interleaving=true
//       --benchmark_report_aggregates_only=true
#include "mail/mimemessage.h"
#include "ratioreporter.h"
#include "residentmemory.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

constexpr int kFiles = 5;
constexpr qint64 kFileSize = 20 * 1024 * 1024;
QStringList g_files;
double g_growth = 0;
qint64 g_messageBytes = 0;

void prepare(const QTemporaryDir &dir)
{
    QByteArray block(1024 * 1024, Qt::Uninitialized);
    for (int n = 1; n <= kFiles; ++n) {
        QFile file(dir.filePath(QStringLiteral("bijlage%1.pdf").arg(n)));
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        for (qint64 written = 0; written < kFileSize; written += block.size()) {
            QRandomGenerator::global()->fillRange(reinterpret_cast<quint32 *>(block.data()), block.size() / 4);
            file.write(block);
        }
        g_files << file.fileName();
    }
}

void BM_Mail_Mime(benchmark::State &state)
{
    kv::MessageContent content;
    content.from = kv::fromHeader(QStringLiteral("afzender@voorbeeld.nl"), QStringLiteral("Akkerhof"));
    content.to = QStringLiteral("klant@voorbeeld.nl");
    content.subject = QStringLiteral("Factuur 260042");
    content.html = QStringLiteral("<p>Geachte heer of mevrouw Achternaam,</p><p>Bijgaand de stukken.</p>");
    content.date = QDateTime::currentDateTime();
    content.attachments = g_files;
    for (auto _ : state) {
        state.PauseTiming();
        const double start = resetPeak();
        state.ResumeTiming();
        const kv::MessageFile message = kv::writeMessage(content);
        g_messageBytes = message.size;
        g_growth = std::max(g_growth, statusMB("VmHWM:") - start);
    }
}

void BM_Mail_Raw(benchmark::State &state)
{
    std::vector<char> block(64 * 1024);
    for (auto _ : state) {
        std::FILE *out = std::tmpfile();
        for (const QString &path : g_files) {
            std::FILE *in = std::fopen(QFile::encodeName(path).constData(), "rb");
            for (size_t n; (n = std::fread(block.data(), 1, block.size(), in)) > 0;)
                std::fwrite(block.data(), 1, n, out);
            std::fclose(in);
        }
        std::fflush(out);
        std::fclose(out);
    }
}

} // namespace

BENCHMARK(BM_Mail_Mime)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_Mail_Raw)->Unit(benchmark::kMillisecond)->UseRealTime();

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    QTemporaryDir dir;
    prepare(dir);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatio("MIME against raw", "BM_Mail_Mime", "BM_Mail_Raw");
    std::printf("Message: %.1f MB; resident memory grew %.1f MB while it was written at most\n", g_messageBytes / 1e6,
                g_growth);
    benchmark::Shutdown();
    return 0;
}
