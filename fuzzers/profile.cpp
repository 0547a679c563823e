// A profile from a scratch folder: the settings record, ".ext", ".usr" and the older
// one-file-per-list layout, loaded, saved and loaded again. The second load must equal the first:
// it gives the bytes the save wrote. It is compared in memory, not saved again, as a second round
// of files would take a quarter of the time and find nothing the first did not.
// Input: the files' contents separated by qcfuzz::Separator, in the order of Files; an empty
// section leaves its file out.
#include "FuzzSupport.h"

#include "profile/Profile.h"
#include "profile/ProfileFiles.h"

#include <cstdio>

namespace {

const char *const Files[] = {
    ".ch5", ".ext", ".usr", ".pr1", ".pr2", ".pr3", ".wr1", ".wr2", ".wr3", ".ur1", ".ur2", ".ur3",
    ".cm", ".pro", ".ujn", ".tim", ".int", ".ban", ".own", ".mem", ".nbn", ".phr", ".whi", ".cus",
    ".nam", ".pwd", ".act", ".num", ".srv", ".chn", ".cls",
};
const char *const Saved[] = {".ch5", ".ext", ".usr"};

struct Quiet : ProfileReporter
{
    void showMessage(const QString &) override {}
};

QByteArray savedFiles(tProfile &p, const QString &folder)
{
    QDir().mkpath(folder);
    qcfuzz::emptyFolder(folder);
    Quiet quiet;
    const bool saved = SaveProfile(p, folder + QStringLiteral("p.ch5"), quiet);
    QC_FUZZ_CHECK(saved);
    QByteArray all;
    for (const char *suffix : Saved)
        all += qcfuzz::readFile(folder + QStringLiteral("p") + QLatin1String(suffix)) + "\n--\n";
    return all;
}

// What savedFiles would read back, made without files.
QByteArray inMemory(const tProfile &p)
{
    return QByteArray(reinterpret_cast<const char *>(p.Settings.bytes.data()), tChatSettings::Size) + "\n--\n"
           + WriteExtText(p) + "\n--\n" + p.Users.Bytes() + "\n--\n";
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    qcfuzz::startApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = qcfuzz::scratchFolder();
    const QString in = folder + QStringLiteral("in/");
    QDir().mkpath(in);
    qcfuzz::emptyFolder(in);
    const QList<QByteArray> parts = qcfuzz::sections(data, size);
    for (qsizetype i = 0; i < parts.size() && i < qsizetype(std::size(Files)); ++i)
        if (!parts[i].isEmpty())
            qcfuzz::writeFile(in + QStringLiteral("p") + QLatin1String(Files[i]), parts[i]);

    Quiet quiet;
    tProfile first;
    if (!LoadProfile(first, in + QStringLiteral("p.ch5"), quiet))
        return 0;
    const QByteArray once = savedFiles(first, folder + QStringLiteral("a/"));

    tProfile second;
    const bool loaded = LoadProfile(second, folder + QStringLiteral("a/p.ch5"), quiet);
    QC_FUZZ_CHECK(loaded);
    QC_FUZZ_CHECK(inMemory(second) == once);
    return 0;
}
