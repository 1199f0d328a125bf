// The form's jobs: combining the listed files into a container, and listing
// and extracting a container's entries.
//
// A platform error (a source that cannot be opened, an output that cannot be
// created or written) ends a job and passes to the caller; on the way out the
// job closes what it opened and removes nothing.
#include <cstdint>
#include <string>

#include "container/kfile.h"
#include "platform/entry_names.h"
#include "platform/exceptions.h"
#include "platform/file_stream.h"
#include "platform/paths.h"
#include "platform/presenter.h"
#include "wizard/frm_main.h"

namespace {

const char kSignature[] = "KOMBREL";

// Gives up a started build when the job leaves before its end: the writer's
// three files are closed, and the empty container and the temporaries with
// the entries finished so far stay on disk.
class BuildInProgress {
public:
    explicit BuildInProgress(KFileWriter &writer) : writer_(writer) {}
    ~BuildInProgress()
    {
        if (!finishing_)
            KFile_FileKombrel_Abort(&writer_);
    }
    BuildInProgress(const BuildInProgress &) = delete;
    BuildInProgress &operator=(const BuildInProgress &) = delete;

    // From here KFile_FileKombrel_End owns the files.
    void Finishing() { finishing_ = true; }

private:
    KFileWriter &writer_;
    bool finishing_ = false;
};

// A container open for reading for the length of one job, closed on every way
// out. After a failed open the reader is empty, and closing it is harmless.
class OpenContainer {
public:
    explicit OpenContainer(const std::string &path) : opened_(KFile_Open(path.c_str(), &reader_) != 0) {}
    ~OpenContainer() { KFile_Close(&reader_); }
    OpenContainer(const OpenContainer &) = delete;
    OpenContainer &operator=(const OpenContainer &) = delete;

    bool Opened() const { return opened_; }
    KFileReader *Reader() { return &reader_; }

private:
    KFileReader reader_{};
    bool opened_;
};

// The progress bar's range is 16 bits; counts and indexes wrap around it.
uint16_t Wrap16(int value)
{
    return static_cast<uint16_t>(value);
}

} // namespace

void TfrmMain::ExecuteLink()
{
    KFileWriter writer;
    KFile_FileKombrel_Init(&writer);
    KFile_SetSignature(writer.header.signature, kSignature);
    if (!KFile_FileKombrel_Start(&writer, edtTargetLinkFile.Text().c_str())) {
        ShowErrorBox("Error : KFile_FileKombrel_Start()");
        return;
    }
    BuildInProgress build(writer);

    ProgressBar.SetMax(Wrap16(lstLinkFile.Items.Count() - 1));
    for (int i = 0; i < lstLinkFile.Items.Count(); ++i) {
        ProgressBar.SetPosition(Wrap16(i));
        const std::string item = lstLinkFile.Items[i];
        const std::string source = ItemFileName(item);
        const std::string name = ExtractFileName(source);
        // Raises the file-open error for the container being built itself.
        TFileStream stream(source, FileMode::OpenRead);
        // A compression failure has shown its own box; the item is left out.
        if (ItemFlag(item) >= 1)
            KFile_AddStreamCompressed(&writer, &stream, name.c_str());
        else
            KFile_AddStream(&writer, &stream, name.c_str());
    }

    build.Finishing();
    if (!KFile_FileKombrel_End(&writer))
        ShowErrorBox("Error : KFile_FileKombrel_End()");
}

void TfrmMain::LoadRestoreList()
{
    lstRestoreFile.Items.Clear();
    const std::string path = edtTargetRestoreFile.Text();
    if (!KFile_CheckSignature(path.c_str(), kSignature)
        && ShowErrorBox("未知のファイル形式です。\n無理に開くとハングアップするかもしれません",
                        {MsgButton::Abort, MsgButton::Ignore})
               == MsgResult::Abort)
        return;

    // A file that does not open lists as a container without entries.
    OpenContainer container(path);
    KFileReader *reader = container.Reader();
    for (int32_t i = 0; i < reader->count; ++i) {
        const KFileInfo *info = KFile_GetInfo(reader, i);
        lstRestoreFile.Items.Add(MakeItem(info->name, (info->flags & KFILE_FLAG_COMPRESSED) != 0 ? 1 : 0));
    }
}

void TfrmMain::ExecuteRestore()
{
    const std::string path = edtTargetRestoreFile.Text();
    OpenContainer container(path);
    if (!container.Opened()) {
        // Going on would leave one empty file per selected item.
        ShowErrorBox("Error : KFile_Open()");
        return;
    }

    const std::string folder = ExtractFilePath(path);
    const CodePage codePage = PathStyle::Running().codePage;
    const int count = lstRestoreFile.Items.Count();
    ProgressBar.SetMax(Wrap16(count - 1));
    for (int i = 0; i < count; ++i) {
        ProgressBar.SetPosition(Wrap16(i));
        if (!lstRestoreFile.Selected(i))
            continue;
        const std::string name = ItemFileName(lstRestoreFile.Items[i]);
        const std::string output = folder + name;
        // Names come from the container, which may come from anyone: nothing
        // is written outside the container's folder.
        if (!IsSafeEntryName(name, codePage))
            throw EFCreateError(output);
        // Raises the file-creation error for the container itself, which
        // stays untouched.
        TFileStream stream(output, FileMode::Create);
        // A failed inflate has shown its own box; the output keeps what was
        // inflated and the job goes on.
        KFile_ExtractToStream(&stream, name.c_str(), container.Reader());
        // A write that fails on the last bytes raises here, like any other.
        stream.Flush();
    }
}
