// The version 4 list files: the sections of the input become "old" + "ban.txt", "userban.txt" ...
// in a scratch folder, imported into a fresh profile twice. Lists of names gain nothing the second
// time; the lists running parallel to others gain the same lines again.
#include "FuzzSupport.h"

#include "profile/Profile.h"
#include "profile/Version4Import.h"

#include <cstdio>

namespace {
const char *const Files[] = {"ban.txt",      "userban.txt",  "account.txt",  "number.txt", "channel.txt",
                             "interval.txt", "timer.txt",    "join.txt",     "owner.txt",  "phrase.txt",
                             "userdef.txt",  "whisper.txt",  "userres1.txt", "res2.txt",   "whispres3.txt"};
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString folder = qcfuzz::scratchFolder();
    const QList<QByteArray> parts = qcfuzz::sections(data, size);
    for (int i = 0; i < parts.size() && i < int(std::size(Files)); ++i)
        qcfuzz::writeFile(folder + QStringLiteral("old") + QLatin1String(Files[i]), parts[i]);
    tProfile p;
    ImportVersion4(p, folder + QStringLiteral("old"));
    const tProfile once = p;
    ImportVersion4(p, folder + QStringLiteral("old"));
    for (auto list : {&tProfile::NoBanList, &tProfile::BanList, &tProfile::ChannelList, &tProfile::OwnerList,
                      &tProfile::UserDef})
        QC_FUZZ_CHECK((p.*list).size() == (once.*list).size());
    QC_FUZZ_CHECK(p.TimerList.size() - once.TimerList.size() == once.TimerList.size() - tProfile().TimerList.size());
    qcfuzz::emptyFolder(folder);
    return 0;
}
