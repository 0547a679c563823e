// Chat.ini as people edit it by hand: parsed and read, written back, parsed and read again. A
// rewrite must keep the text it does not own, and what the program writes must read back the same.
#include "FuzzSupport.h"

#include "profile/ChatIni.h"

#include <QCoreApplication>
#include <cstdio>

namespace {

bool sameLayout(const tChatIni &a, const tChatIni &b)
{
    return a.Top == b.Top && a.Left == b.Left && a.Maximized == b.Maximized && a.Width == b.Width
           && a.Height == b.Height && a.UserWidth == b.UserWidth && a.CustomHeight == b.CustomHeight
           && a.WhisperHeight == b.WhisperHeight && a.CustomList == b.CustomList && a.UserList == b.UserList
           && a.Whisper == b.Whisper && a.TextLabels == b.TextLabels;
}

bool same(const tChatIni &a, const tChatIni &b)
{
    return sameLayout(a, b) && a.LastFile == b.LastFile && a.BatchFile == b.BatchFile && a.BatchUser == b.BatchUser
           && a.IgnorePrefix == b.IgnorePrefix;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    static int argc = 1;
    static char name[] = "fuzz";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    tIniFile first;
    first.Parse(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    const tChatIni read = ReadChatIni(first);
    const QByteArray text = first.Serialize();

    // Parsing what was serialized changes nothing.
    tIniFile second;
    second.Parse(text);
    QC_FUZZ_CHECK(second.Serialize() == text);
    QC_FUZZ_CHECK(same(ReadChatIni(second), read));

    // What the program writes reads back as written, and the rest of the file stays.
    WriteBatchFile(second, read);
    WriteLayoutKeys(second, read);
    tIniFile third;
    third.Parse(second.Serialize());
    const tChatIni back = ReadChatIni(third);
    QC_FUZZ_CHECK(sameLayout(back, read));
    QC_FUZZ_CHECK(back.BatchFile == read.BatchFile && back.BatchUser == read.BatchUser);
    QC_FUZZ_CHECK(back.IgnorePrefix == read.IgnorePrefix && back.LastFile == read.LastFile);
    return 0;
}
