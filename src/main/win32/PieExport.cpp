#include "main/win32/PieExport.h"

#include <cmath>
#include <cstring>
#include <new>
#include <stdexcept>
#include <vector>

#include "main/win32/MainForm.h"
#include "pie/PieExportRules.h"
#include "pie/PngWriter.h"
#include "pie/win32/PieView.h"
#include "platform/MessageBoxes.h"
#include "platform/win32/ReplacingFile.h"
#include "platform/win32/WideString.h"
#include "platform/win32/Win32Paths.h"
#include "scan/PathUtils.h"
#include "scan/FolderTree.h"

namespace {

constexpr int kClipboardAttempts = 10;  // another program may hold it for a moment
constexpr DWORD kClipboardRetryMs = 20;

// The bytes in movable global memory, which the clipboard can take.
TGlobalMemory GlobalCopyOf(const std::string& bytes) {
    TGlobalMemory memory(GlobalAlloc(GMEM_MOVEABLE, bytes.size()));
    void* target = memory ? GlobalLock(memory.Get()) : nullptr;
    if (!target) throw std::runtime_error("There is not enough memory for the picture.");
    memcpy(target, bytes.data(), bytes.size());
    GlobalUnlock(memory.Get());
    return memory;
}

// The screen's device context, the metafiles' reference device.
class TScreenDc : public TWindowDc {
public:
    TScreenDc() {
        if (!Get()) throw std::runtime_error("The screen cannot be measured: " + SystemErrorText(GetLastError()));
    }
};

// An enhanced metafile being recorded. Unless finished it is completed and
// thrown away.
class TMetafileRecorder {
public:
    TMetafileRecorder(HDC reference, const RECT& frame)
        : Dc(CreateEnhMetaFileW(reference, nullptr, &frame, L"Quarrymap 2000\0Pie chart\0")) {
        if (!Dc) throw std::runtime_error("The metafile cannot be created: " + SystemErrorText(GetLastError()));
    }
    ~TMetafileRecorder() {
        if (Dc) DeleteEnhMetaFile(CloseEnhMetaFile(Dc));
    }
    TMetafileRecorder(const TMetafileRecorder&) = delete;
    TMetafileRecorder& operator=(const TMetafileRecorder&) = delete;

    HDC Get() const { return Dc; }
    HENHMETAFILE Finish() {
        HENHMETAFILE metafile = CloseEnhMetaFile(Dc);
        Dc = nullptr;
        if (!metafile) throw std::runtime_error("The metafile cannot be completed: " + SystemErrorText(GetLastError()));
        return metafile;
    }

private:
    HDC Dc;
};

// Points the chart at a surface, which it paints itself onto, for the life
// of the scope; then back at the off-screen bitmap, also after a failure.
class TChartOnSurface {
public:
    TChartOnSurface(TPieView& view, ICanvas& surface) : View(view) {
        try {
            View.PieChart().SetCanvas(&surface);
        } catch (...) {
            PointBack();
            throw;
        }
    }
    ~TChartOnSurface() { PointBack(); }
    TChartOnSurface(const TChartOnSurface&) = delete;
    TChartOnSurface& operator=(const TChartOnSurface&) = delete;

private:
    void PointBack() noexcept {
        try {
            View.PieChart().SetCanvas(&View.PieBitmap().Canvas());
        } catch (...) {
            // Nothing more can be done for the bitmap; the export's own failure is what counts.
        }
    }

    TPieView& View;
};

// Shows the page shown now again at the end of the scope, whatever happens.
class TPageRestore {
public:
    explicit TPageRestore(TMainForm& form) : Form(form), Page(form.State().CurrentPage) {}
    ~TPageRestore() {
        try {
            Form.ShowPage(Page);
        } catch (...) {
            // The export's own failure is what the user hears about.
        }
    }
    TPageRestore(const TPageRestore&) = delete;
    TPageRestore& operator=(const TPageRestore&) = delete;

private:
    TMainForm& Form;
    int Page;
};

std::string Sentence(std::string text) {
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z') text[0] = char(text[0] - 'a' + 'A');
    if (!text.empty() && text.back() != '.') text += '.';
    return text;
}

void WriteWholeFile(const std::string& name, const std::string& bytes) {
    try {
        TReplacingFile file(name);
        file.Write(bytes);
        file.Commit();
    } catch (const TFileError& error) {
        throw std::runtime_error("Cannot create file \"" + name + "\". " + Sentence(error.what()));
    }
}

std::string EnhancedMetafileBits(HENHMETAFILE metafile) {
    const UINT size = GetEnhMetaFileBits(metafile, 0, nullptr);
    std::string bits(size, '\0');
    if (!size || GetEnhMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bits.data())) != size)
        throw std::runtime_error("The metafile cannot be read: " + SystemErrorText(GetLastError()));
    return bits;
}

// The metafile converted to a standard Windows metafile, behind a placeable
// header giving its bounds and size, so that other programs show it at the
// size the pie had on screen.
std::string PlaceableMetafileBits(HENHMETAFILE metafile, int width, int height) {
    const TScreenDc screen;
    const UINT size = GetWinMetaFileBits(metafile, 0, nullptr, MM_ANISOTROPIC, screen.Get());
    std::string bits(size, '\0');
    if (!size ||
        GetWinMetaFileBits(metafile, size, reinterpret_cast<BYTE*>(bits.data()), MM_ANISOTROPIC, screen.Get()) != size)
        throw std::runtime_error("The picture cannot be converted to a Windows metafile: " +
                                 SystemErrorText(GetLastError()));
    ENHMETAHEADER header = {};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    const long frameWidth = header.rclFrame.right - header.rclFrame.left;
    // The records' units come from the conversion; without a window of
    // their own they are the screen's pixels.
    TMetafileWindow window{0, 0, width, height};
    int unitsPerInch = GetDeviceCaps(screen.Get(), LOGPIXELSX);
    if (const auto set = MetafileWindowOf(bits)) {
        window = *set;
        if (frameWidth > 0 && window.ExtentX > 0) unitsPerInch = int(std::lround(window.ExtentX * 2540.0 / frameWidth));
    }
    return PlaceableMetafileHeader(window.OriginX, window.OriginY, window.OriginX + window.ExtentX,
                                   window.OriginY + window.ExtentY, unitsPerInch) +
           bits;
}

// The chart painted afresh into a new enhanced metafile of the off-screen
// bitmap's size, recorded with the screen as its reference device.
HENHMETAFILE RecordChart(TPieView& pie) {
    const int width = pie.PieBitmap().Width(), height = pie.PieBitmap().Height();
    const TScreenDc screen;
    // The frame, in hundredths of a millimetre, covers the bitmap's pixels on the screen.
    const RECT frame = {
        0, 0, MulDiv(width, GetDeviceCaps(screen.Get(), HORZSIZE) * 100, GetDeviceCaps(screen.Get(), HORZRES)),
        MulDiv(height, GetDeviceCaps(screen.Get(), VERTSIZE) * 100, GetDeviceCaps(screen.Get(), VERTRES))};
    TMetafileRecorder recorder(screen.Get(), frame);
    {
        // The off-screen bitmap's font, so that labels measure and look the same.
        const HFONT labels = pie.LabelFont();
        const TSelection font(recorder.Get(), labels ? HGDIOBJ(labels) : GetStockObject(DEFAULT_GUI_FONT));
        TGdiCanvas surface(recorder.Get());
        const TChartOnSurface drawing(pie, surface);
    }
    return recorder.Finish();
}

}  // namespace

void TWin32Clipboard::Put(HWND owner, UINT format, HANDLE data) {
    for (int attempt = 1; !OpenClipboard(owner); ++attempt) {
        if (attempt == kClipboardAttempts)
            throw std::runtime_error("Cannot open clipboard: " + SystemErrorText(GetLastError()));
        Sleep(kClipboardRetryMs);
    }
    struct TCloser {
        ~TCloser() { CloseClipboard(); }
    } closer;
    if (!EmptyClipboard()) throw std::runtime_error("Cannot empty the clipboard: " + SystemErrorText(GetLastError()));
    if (!SetClipboardData(format, data))
        throw std::runtime_error("Cannot put the picture on the clipboard: " + SystemErrorText(GetLastError()));
}

TPieExport::TPieExport(TMainForm& form, const TPieExportServices& services)
    : Form(form), Boxes(services.MessageBoxes), Clipboard(services.Clipboard), dlgExportPie(services.SaveDialog) {
    dlgExportPie.Filter = kPieExportFilter;
}

void TPieExport::AsMetafileCommand() {
    Run([this] { ExportMetafile(); });
}

void TPieExport::AsBitmapCommand() {
    Run([this] { ExportBitmap(); });
}

void TPieExport::ToFileCommand() {
    if (!Form.Pie()) return;
    // The dialog adds the chosen filter's extension to a name typed without
    // one, and asks about that file.
    dlgExportPie.DefaultExtension = PieExportDefaultExtension(dlgExportPie.FilterIndex);
    if (!dlgExportPie.Execute(Form.Handle())) return;
    // A typed extension of another filter is replaced: that file was not
    // asked about.
    const std::string chosen = dlgExportPie.FileName;
    const std::string name = PieExportFileName(chosen, dlgExportPie.FilterIndex);
    if (IsAnotherFileThanChosen(chosen, name) &&
        GetFileAttributesW(Widen(LiteralPathForm(name)).c_str()) != INVALID_FILE_ATTRIBUTES &&
        Boxes.Show(kProductName, ReplaceExistingFileQuestion(name), TMsgButtons::YesNoDefaultNo, TMsgIcon::Warning) !=
            TMsgResult::Yes)
        return;
    dlgExportPie.FileName = name;
    switch (PieExportKindOf(name)) {
        case TPieExportKind::Bitmap: Run([this, &name] { ExportBitmap(name); }); break;
        case TPieExportKind::Png: Run([this, &name] { ExportPng(name); }); break;
        default: Run([this, &name] { ExportMetafile(name); }); break;
    }
}

void TPieExport::Run(const std::function<void()>& work) {
    std::string failure;
    try {
        TPageRestore restore(Form);
        Form.ShowPage(0);
        work();
    } catch (const std::bad_alloc&) {
        failure = "There is not enough memory for the picture.";
    } catch (const std::exception& error) {
        failure = error.what();
    } catch (...) {
        failure = "The pie chart could not be exported.";
    }
    // Reported once the chart and the page are back.
    if (!failure.empty()) Boxes.Show(kProductName, failure, TMsgButtons::Ok, TMsgIcon::Error);
}

TPieView& TPieExport::ShownPie() const {
    TPieView* pie = Form.Pie();
    const TFolderNode* node = Form.State().CurrentNode;
    if (!pie || Form.State().CurrentPage != 0 || !node || !node->Record)
        throw std::runtime_error("There is no pie chart to export: no scanned folder is selected.");
    return *pie;
}

void TPieExport::ExportMetafile(const std::string& name) {
    TPieView& pie = ShownPie();
    TEnhMetafile metafile(RecordChart(pie));
    if (name.empty()) {
        Clipboard.Put(Form.Handle(), CF_ENHMETAFILE, metafile.Get());
        metafile.Release();
    } else if (PieExportKindOf(name) == TPieExportKind::EnhancedMetafile) {
        WriteWholeFile(name, EnhancedMetafileBits(metafile.Get()));
    } else {
        WriteWholeFile(name, PlaceableMetafileBits(metafile.Get(), pie.PieBitmap().Width(), pie.PieBitmap().Height()));
    }
}

TBgrxImage TPieExport::DrawImage() {
    TPieView& pie = ShownPie();
    TGdiBitmap image(pie.PieBitmap().Width(), pie.PieBitmap().Height());
    if (!image.IsValid()) throw std::runtime_error("The bitmap cannot be created: " + SystemErrorText(GetLastError()));
    image.UseFont(pie.LabelFont());
    { const TChartOnSurface drawing(pie, image.Canvas()); }
    // One flush, then the section's memory as it stands: already 0x00RRGGBB
    // but for the unused top byte.
    const uint32_t* bits = image.FinishedPixels();
    const size_t count = size_t(image.Width()) * size_t(image.Height());
    TBgrxImage pixels{image.Width(), image.Height(), std::vector<uint32_t>(bits, bits + count)};
    for (uint32_t& pixel : pixels.Pixels) pixel &= 0x00FFFFFF;
    return pixels;
}

void TPieExport::ExportBitmap(const std::string& name) {
    const TBgrxImage image = DrawImage();
    if (!name.empty()) {
        WriteWholeFile(name, BmpFileBytes(image));
        return;
    }
    TGlobalMemory memory = GlobalCopyOf(DibBytes(image));
    Clipboard.Put(Form.Handle(), CF_DIB, memory.Get());
    memory.Release();
}

void TPieExport::ExportPng(const std::string& name) { WriteWholeFile(name, PngFileBytes(DrawImage())); }
