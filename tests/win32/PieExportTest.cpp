// File > Export Pie in a real main window on a scanned memory drive: every
// file format parsed and compared with the pie page's off-screen bitmap,
// the clipboard read back, the page shown before coming back, and failures
// reported without leaving the chart on a dead surface.

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <stdexcept>

#include "ScanFlowFixture.h"
#include "UnixTools.h"
#include "config/Options.h"
#include "main/MainCommands.h"
#include "main/win32/PieExport.h"
#include "main/win32/PieExportCommands.h"
#include "pie/win32/PieView.h"
#include "platform/win32/GdiCanvas.h"

namespace {

// The Save As dialog answered with a name and the filter the user picked.
class TFilterSaveDialog : public TScriptedSaveDialog {
public:
    DWORD ChosenFilter = 0;  // 0: leave the offered one
    DWORD OfferedFilter = 0;

    bool Ask(OPENFILENAMEW& request) override {
        OfferedFilter = request.nFilterIndex;
        const bool chosen = TScriptedSaveDialog::Ask(request);
        if (chosen && ChosenFilter) request.nFilterIndex = ChosenFilter;
        return chosen;
    }
};

// A clipboard that is always busy.
class TBusyClipboard : public IPieClipboard {
public:
    int Tries = 0;
    void Put(HWND, UINT, HANDLE) override {
        ++Tries;
        throw std::runtime_error("Cannot open clipboard: Access is denied.");
    }
};

// Every clipboard call of the export goes to whichever this points at.
class TSwitchClipboard : public IPieClipboard {
public:
    IPieClipboard* Target = nullptr;
    void Put(HWND owner, UINT format, HANDLE data) override { Target->Put(owner, format, data); }
};

// Decodes a PNG file on the Linux side with nothing but Python's zlib,
// checking every chunk's CRC, and writes its pixels as raw RGB.
const char kPngDecoder[] = R"(import sys, zlib, struct
data = open(sys.argv[1], 'rb').read()
assert data[:8] == b'\x89PNG\r\n\x1a\n', 'signature'
at, idat, ihdr = 8, b'', None
while at < len(data):
    length, kind = struct.unpack('>I4s', data[at:at + 8])
    body = data[at + 8:at + 8 + length]
    assert zlib.crc32(kind + body) == struct.unpack('>I', data[at + 8 + length:at + 12 + length])[0], 'crc'
    if kind == b'IHDR': ihdr = body
    if kind == b'IDAT': idat += body
    at += 12 + length
width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', ihdr)
assert (depth, colour, interlace) == (8, 2, 0), 'format'
raw, stride, prev, out = zlib.decompress(idat), width * 3, bytearray(width * 3), bytearray()
for y in range(height):
    kind, row = raw[y * (stride + 1)], bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
    for i in range(stride):
        a = row[i - 3] if i >= 3 else 0
        b, c = prev[i], prev[i - 3] if i >= 3 else 0
        if kind == 1: p = a
        elif kind == 2: p = b
        elif kind == 3: p = (a + b) // 2
        elif kind == 4:
            e = a + b - c
            pa, pb, pc = abs(e - a), abs(e - b), abs(e - c)
            p = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
        else: p = 0
        row[i] = (row[i] + p) & 255
    out += row
    prev = row
open(sys.argv[2], 'wb').write(struct.pack('<II', width, height) + bytes(out))
)";

uint32_t Le16(const std::string& bytes, size_t at) {
    return uint8_t(bytes[at]) | uint32_t(uint8_t(bytes[at + 1])) << 8;
}
uint32_t Le32(const std::string& bytes, size_t at) { return Le16(bytes, at) | Le16(bytes, at + 2) << 16; }

class PieExportTest : public TScanFlowFixture {
protected:
    void SetUp() override {
        TScanFlowFixture::SetUp();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        Folder = std::wstring(temp) + L"qm-pie-" + std::to_wstring(GetCurrentProcessId());
        CreateDirectoryW(Folder.c_str(), nullptr);
        Clipboard.Target = &RealClipboard;
    }
    void TearDown() override {
        Exporter.reset();
        TScanFlowFixture::TearDown();
        WIN32_FIND_DATAW found;
        HANDLE search = FindFirstFileW((Folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do DeleteFileW((Folder + L"\\" + found.cFileName).c_str());
            while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(Folder.c_str());
    }

    // C:\ scanned, C:\Data selected on the page given, the pie showing
    // Old (with its label highlighted under the mouse) and the files.
    void ShowData(int command = cmdViewPieChart) {
        Main.Parts.PieExport = &ExportActions;
        Start();
        // The designed size: a played metafile's frame is kept in hundredths
        // of a millimetre, whose rounding grows with the picture.
        SetWindowPos(Main.Form->Handle(), nullptr, 0, 0, 596, 423, SWP_NOMOVE | SWP_NOZORDER);
        Main.Pump();
        Main.Options.IncludeWastedInformation = false;
        Exporter = std::make_unique<TPieExport>(*Main.Form, TPieExportServices{SaveDialog, Main.Boxes, Clipboard});
        ScanWithToolbar('C');
        Click(*Node("C:\\Data"));
        Main.Command(cmdViewPieChart);
        const THPieChart& chart = Pie().PieChart();
        const POINT old = {chart.PieLeft + chart.Radius / 2, chart.PieTop + chart.Radius};  // left of the centre
        SendMessageW(Pie().PaintBox(), WM_MOUSEMOVE, 0, MAKELPARAM(old.x, old.y));
        Main.Pump();
        ASSERT_EQ(0, chart.HighlightIndex);
        Main.Command(command);
    }

    TPieView& Pie() { return *Main.Form->Pie(); }
    int Width() { return Pie().PieBitmap().Width(); }
    int Height() { return Pie().PieBitmap().Height(); }
    bool ChartOnItsBitmap() { return Pie().PieChart().Canvas == &Pie().PieBitmap().Canvas(); }

    // Every pixel of the off-screen bitmap, 0x00BBGGRR.
    std::vector<TColor> ScreenPixels() {
        std::vector<TColor> pixels;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) pixels.push_back(Pie().PieBitmap().Pixel(x, y));
        return pixels;
    }

    // How many pixels of a picture differ from the pie bitmap's.
    size_t Differences(const std::vector<TColor>& picture) {
        const std::vector<TColor> screen = ScreenPixels();
        if (picture.size() != screen.size()) return SIZE_MAX;
        size_t count = 0;
        for (size_t i = 0; i < screen.size(); ++i) count += picture[i] != screen[i];
        return count;
    }

    // How many pixels of either image have no pixel of their colour in the
    // other at most one pixel away. A played metafile may round an edge to
    // the neighbouring pixel, but every line, wedge and label box must be
    // there; with `textAllowed` the letters inside the labels are not
    // compared, as a scaled playback may place glyphs differently.
    size_t Unmatched(const std::vector<TColor>& picture, bool textAllowed) {
        const std::vector<TColor> screen = ScreenPixels();
        if (picture.size() != screen.size()) return SIZE_MAX;
        auto closeBy = [this](const std::vector<TColor>& image, int x, int y, TColor color) {
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx) {
                    const int nx = x + dx, ny = y + dy;
                    if (nx >= 0 && ny >= 0 && nx < Width() && ny < Height() &&
                        image[size_t(ny) * size_t(Width()) + size_t(nx)] == color)
                        return true;
                }
            return false;
        };
        size_t count = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) {
                const size_t i = size_t(y) * size_t(Width()) + size_t(x);
                if (picture[i] == screen[i]) continue;
                if (textAllowed && InLabelText(x, y)) continue;
                count += !closeBy(screen, x, y, picture[i]) || !closeBy(picture, x, y, screen[i]);
            }
        return count;
    }
    // Whether the point is on the text of a label (a pixel of margin around it).
    bool InLabelText(int x, int y) {
        for (const auto& section : Pie().PieChart().Sections) {
            if (section->Caption.empty()) continue;
            const TTextSize size = Pie().PieBitmap().Canvas().TextExtent(section->Caption);
            if (x >= section->LabelX - 1 && y >= section->LabelY - 1 && x <= section->LabelX + size.Width &&
                y <= section->LabelY + size.Height)
                return true;
        }
        return false;
    }
    // A played metafile against the pie: the same drawing, edges within a pixel.
    void ExpectLikeThePie(const std::vector<TColor>& picture, bool textAllowed) {
        EXPECT_EQ(0u, Unmatched(picture, textAllowed));
        EXPECT_LT(Differences(picture), size_t(Width()) * size_t(Height()) / 50);
    }

    // Exports through the dialog: the name typed and the filter picked.
    void ExportToFile(const std::wstring& typed, DWORD filter) {
        SaveDialog.Answer = Folder + L"\\" + typed;
        SaveDialog.ChosenFilter = filter;
        Main.Command(cmdFilePieToFile);
    }
    std::wstring At(const std::wstring& name) const { return Folder + L"\\" + name; }
    bool Exists(const std::wstring& name) const {
        return GetFileAttributesW(At(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }

    // A picture played onto a new bitmap of the pie's size, the way `play` draws it.
    template <typename TPlay>
    std::vector<TColor> Played(TPlay play) {
        TGdiBitmap bitmap(Width(), Height());
        EXPECT_TRUE(bitmap.IsValid());
        play(bitmap.Dc());
        GdiFlush();
        std::vector<TColor> pixels;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) pixels.push_back(bitmap.Pixel(x, y));
        return pixels;
    }
    std::vector<TColor> PlayedEnhanced(HENHMETAFILE metafile) {
        return Played([&](HDC dc) {
            const RECT all = {0, 0, Width(), Height()};
            EXPECT_TRUE(PlayEnhMetaFile(dc, metafile, &all));
        });
    }

    // The pixels of a bottom-up 24-bit DIB.
    std::vector<TColor> DibPixels(const uint8_t* dib) {
        const auto* info = reinterpret_cast<const BITMAPINFOHEADER*>(dib);
        EXPECT_EQ(Width(), info->biWidth);
        EXPECT_EQ(Height(), info->biHeight);
        EXPECT_EQ(24, info->biBitCount);
        EXPECT_EQ(DWORD(BI_RGB), info->biCompression);
        const size_t stride = (size_t(info->biWidth) * 3 + 3) & ~size_t(3);
        const uint8_t* bits = dib + info->biSize;
        std::vector<TColor> pixels;
        for (int y = 0; y < info->biHeight; ++y) {
            const uint8_t* row = bits + size_t(info->biHeight - 1 - y) * stride;
            for (int x = 0; x < info->biWidth; ++x)
                pixels.push_back(TColor(row[x * 3 + 2]) | TColor(row[x * 3 + 1]) << 8 | TColor(row[x * 3]) << 16);
        }
        return pixels;
    }

    std::wstring Folder;
    TFilterSaveDialog SaveDialog;
    TWin32Clipboard RealClipboard;
    TSwitchClipboard Clipboard;
    std::unique_ptr<TPieExport> Exporter;
    // The window's File > Pie Chart Export entries onto the export under test.
    struct TExportActions : IPieExportActions {
        explicit TExportActions(std::unique_ptr<TPieExport>& exporter) : Exporter(exporter) {}
        void PieAsMetafile() override { Exporter->AsMetafileCommand(); }
        void PieAsBitmap() override { Exporter->AsBitmapCommand(); }
        void PieToFile() override { Exporter->ToFileCommand(); }
        std::unique_ptr<TPieExport>& Exporter;
    } ExportActions{Exporter};
};

TEST_F(PieExportTest, BitmapFileHoldsThePieAndTheBitmapFilterNamesIt) {
    ShowData();
    const std::vector<TColor> before = ScreenPixels();
    ExportToFile(L"chart.png", 1);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    // The dialog as the pie export asks.
    EXPECT_EQ(1, SaveDialog.Shown);
    EXPECT_EQ(
        L"Bitmap (*.bmp)|*.bmp|Metafile (*.wmf)|*.wmf|Enhanced Metafile (*.emf)|*.emf|"
        L"Portable Network Graphics (*.png)|*.png|",
        SaveDialog.Filter);
    EXPECT_EQ(L"", SaveDialog.Title);
    EXPECT_EQ(L"BMP", SaveDialog.DefaultExtension);  // "chart" is asked about as chart.BMP
    EXPECT_TRUE(SaveDialog.Flags & OFN_OVERWRITEPROMPT);
    EXPECT_TRUE(SaveDialog.Flags & OFN_HIDEREADONLY);
    EXPECT_EQ(1u, SaveDialog.OfferedFilter);

    // Saved under the filter's extension, not the typed one.
    EXPECT_FALSE(Exists(L"chart.png"));
    const std::string file = ReadWholeFile(At(L"chart.BMP"));
    ASSERT_GT(file.size(), 54u);
    EXPECT_EQ("BM", file.substr(0, 2));
    EXPECT_EQ(file.size(), Le32(file, 2));
    EXPECT_EQ(0u, Differences(DibPixels(reinterpret_cast<const uint8_t*>(file.data()) + Le32(file, 10) - 40)));
    // The highlighted label is in the picture, and the screen is as it was.
    const TPieSection& old = *Pie().PieChart().GetSection(0);
    const TColor labelBack = ToColorRef(Pie().PieChart().HiTextBackColor);
    EXPECT_EQ(labelBack, Pie().PieBitmap().Pixel(old.LabelX - 1, old.LabelY));
    EXPECT_EQ(before, ScreenPixels());
    EXPECT_TRUE(ChartOnItsBitmap());
    EXPECT_EQ(0, Main.Form->State().CurrentPage);

    // The dialog keeps the name it saved under and the filter.
    EXPECT_EQ(Narrow(At(L"chart.BMP")), Exporter->Dialog().FileName);
    SaveDialog.Answer.clear();
    Main.Command(cmdFilePieToFile);
    EXPECT_EQ(At(L"chart.BMP"), SaveDialog.Offered);
    EXPECT_EQ(1u, SaveDialog.OfferedFilter);

    // Exporting again gives the same file.
    ExportToFile(L"again.bmp", 1);
    EXPECT_EQ(file, ReadWholeFile(At(L"again.BMP")));
}

TEST_F(PieExportTest, BitmapOnTheClipboardFromTheFolderInformationPage) {
    ShowData(cmdViewFolderInformation);
    ASSERT_EQ(1, Main.Form->State().CurrentPage);
    Main.Command(cmdFilePieAsBitmap);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    EXPECT_EQ(1, Main.Form->State().CurrentPage);  // the page shown before is back
    EXPECT_EQ("C:\\Data", Pie().BuiltPath());
    EXPECT_TRUE(ChartOnItsBitmap());

    ASSERT_TRUE(OpenClipboard(Main.Form->Handle()));
    const HANDLE data = GetClipboardData(CF_DIB);
    ASSERT_TRUE(data);
    const auto* dib = static_cast<const uint8_t*>(GlobalLock(data));
    ASSERT_TRUE(dib);
    EXPECT_EQ(0u, Differences(DibPixels(dib)));
    GlobalUnlock(data);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_BITMAP));  // Windows offers the DIB as a bitmap as well
    CloseClipboard();
}

TEST_F(PieExportTest, AFileOfTheFiltersExtensionIsReplacedOnlyAfterAskingAboutIt) {
    ShowData();
    std::ofstream(Narrow(At(L"x.EMF")), std::ios::binary) << "keep";
    // Typed x.bmp under the EMF filter: the dialog asked about x.bmp, not x.EMF.
    Main.Boxes.Answer(TMsgResult::No);
    ExportToFile(L"x.bmp", 3);
    ASSERT_EQ(1u, Main.Boxes.Shown.size());
    EXPECT_EQ(Narrow(At(L"x.EMF")) + " already exists.\r\nDo you want to replace it?", Main.Boxes.Shown[0].Text);
    EXPECT_EQ(TMsgButtons::YesNoDefaultNo, Main.Boxes.Shown[0].Buttons);
    EXPECT_EQ("keep", ReadWholeFile(At(L"x.EMF")));
    EXPECT_FALSE(Exists(L"x.bmp"));

    Main.Boxes.Answer(TMsgResult::Yes);
    ExportToFile(L"x.bmp", 3);
    EXPECT_EQ(2u, Main.Boxes.Shown.size());
    EXPECT_NE("keep", ReadWholeFile(At(L"x.EMF")));
    // The next dialog adds the filter chosen last; a name differing only in
    // case is the file the dialog asked about.
    ExportToFile(L"x.emf", 3);
    EXPECT_EQ(L"EMF", SaveDialog.DefaultExtension);
    EXPECT_EQ(2u, Main.Boxes.Shown.size());
}

TEST_F(PieExportTest, EnhancedMetafileFileRecordsThePie) {
    ShowData(cmdViewSubfolders);
    ExportToFile(L"chart.bmp", 3);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    EXPECT_EQ(2, Main.Form->State().CurrentPage);
    EXPECT_FALSE(Exists(L"chart.bmp"));
    const std::string file = ReadWholeFile(At(L"chart.EMF"));
    ASSERT_GE(file.size(), sizeof(ENHMETAHEADER));

    ENHMETAHEADER header;
    memcpy(&header, file.data(), sizeof header);
    EXPECT_EQ(DWORD(EMR_HEADER), header.iType);
    EXPECT_EQ(DWORD(ENHMETA_SIGNATURE), header.dSignature);
    EXPECT_EQ(file.size(), header.nBytes);
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(MulDiv(Width(), GetDeviceCaps(screen, HORZSIZE) * 100, GetDeviceCaps(screen, HORZRES)),
              header.rclFrame.right - header.rclFrame.left);
    EXPECT_EQ(MulDiv(Height(), GetDeviceCaps(screen, VERTSIZE) * 100, GetDeviceCaps(screen, VERTRES)),
              header.rclFrame.bottom - header.rclFrame.top);
    ReleaseDC(nullptr, screen);
    // The drawing's bounds lie within the pie's area.
    EXPECT_GE(header.rclBounds.left, 0);
    EXPECT_GE(header.rclBounds.top, 0);
    EXPECT_LT(header.rclBounds.right, Width());
    EXPECT_LT(header.rclBounds.bottom, Height());

    // Every record in place, the last one the end.
    size_t at = 0, records = 0;
    DWORD last = 0;
    while (at + 8 <= file.size()) {
        const DWORD type = Le32(file, at), size = Le32(file, at + 4);
        ASSERT_TRUE(size >= 8 && size % 4 == 0 && at + size <= file.size()) << "record " << records;
        last = type;
        at += size;
        ++records;
    }
    EXPECT_EQ(file.size(), at);
    EXPECT_EQ(header.nRecords, records);
    EXPECT_EQ(DWORD(EMR_EOF), last);

    const HENHMETAFILE metafile = GetEnhMetaFileW(At(L"chart.EMF").c_str());
    ASSERT_TRUE(metafile);
    ExpectLikeThePie(PlayedEnhanced(metafile), true);
    DeleteEnhMetaFile(metafile);
}

TEST_F(PieExportTest, WindowsMetafileFileIsPlaceableAndPlaysThePie) {
    ShowData();
    ExportToFile(L"chart", 2);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    const std::string file = ReadWholeFile(At(L"chart.WMF"));
    ASSERT_GT(file.size(), 22u + 18u);
    // The placeable header: key, bounds and checksum.
    EXPECT_EQ(0x9AC6CDD7u, Le32(file, 0));
    uint32_t checksum = 0;
    for (size_t word = 0; word < 10; ++word) checksum ^= Le16(file, word * 2);
    EXPECT_EQ(checksum, Le16(file, 20));
    const int boundsWidth = int16_t(Le16(file, 10)) - int16_t(Le16(file, 6));
    const int boundsHeight = int16_t(Le16(file, 12)) - int16_t(Le16(file, 8));
    EXPECT_NEAR(Width(), boundsWidth, 1);
    EXPECT_NEAR(Height(), boundsHeight, 1);
    EXPECT_GT(Le16(file, 14), 0u);

    // The standard header, then every record in place up to the end record.
    const std::string bits = file.substr(22);
    EXPECT_EQ(9u, Le16(bits, 2));
    EXPECT_EQ(bits.size(), size_t(Le32(bits, 6)) * 2);
    size_t at = 18;
    uint32_t function = 0xFFFF;
    while (at + 6 <= bits.size()) {
        const size_t size = size_t(Le32(bits, at)) * 2;
        function = Le16(bits, at + 4);
        ASSERT_TRUE(size >= 6 && at + size <= bits.size());
        at += size;
        if (function == 0) break;
    }
    EXPECT_EQ(0u, function);
    EXPECT_EQ(bits.size(), at);

    const HMETAFILE metafile = SetMetaFileBitsEx(UINT(bits.size()), reinterpret_cast<const BYTE*>(bits.data()));
    ASSERT_TRUE(metafile);
    const std::vector<TColor> played = Played([&](HDC dc) {
        SetMapMode(dc, MM_ANISOTROPIC);
        SetViewportExtEx(dc, boundsWidth, boundsHeight, nullptr);
        EXPECT_TRUE(PlayMetaFile(dc, metafile));
    });
    DeleteMetaFile(metafile);
    ExpectLikeThePie(played, false);
}

TEST_F(PieExportTest, PngFileDecodesToThePie) {
    ShowData();
    ExportToFile(L"chart.emf", 4);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    ASSERT_TRUE(Exists(L"chart.PNG"));
    {
        std::ofstream script(Narrow(At(L"decode.py")), std::ios::binary);
        script << kPngDecoder;
    }
    const TUnixRun run = RunUnixShell("python3 '" + UnixPathOf(At(L"decode.py")) + "' '" +
                                          UnixPathOf(At(L"chart.PNG")) + "' '" + UnixPathOf(At(L"chart.raw")) + "'",
                                      At(L"python"));
    ASSERT_TRUE(run.Ran);
    ASSERT_EQ(0, run.ExitCode) << run.Output;
    const std::string raw = ReadWholeFile(At(L"chart.raw"));
    ASSERT_GE(raw.size(), 8u);
    EXPECT_EQ(uint32_t(Width()), Le32(raw, 0));
    EXPECT_EQ(uint32_t(Height()), Le32(raw, 4));
    ASSERT_EQ(8u + size_t(Width()) * size_t(Height()) * 3, raw.size());
    std::vector<TColor> pixels;
    for (size_t at = 8; at < raw.size(); at += 3)
        pixels.push_back(TColor(uint8_t(raw[at])) | TColor(uint8_t(raw[at + 1])) << 8 |
                         TColor(uint8_t(raw[at + 2])) << 16);
    EXPECT_EQ(0u, Differences(pixels));
}

TEST_F(PieExportTest, EnhancedMetafileOnTheClipboard) {
    ShowData(cmdViewWastedSpace);
    Main.Command(cmdFilePieAsMetafile);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    EXPECT_EQ(3, Main.Form->State().CurrentPage);
    EXPECT_TRUE(ChartOnItsBitmap());
    ASSERT_TRUE(OpenClipboard(Main.Form->Handle()));
    const HENHMETAFILE metafile = HENHMETAFILE(GetClipboardData(CF_ENHMETAFILE));
    ASSERT_TRUE(metafile);
    ENHMETAHEADER header = {};
    ASSERT_TRUE(GetEnhMetaFileHeader(metafile, sizeof header, &header));
    EXPECT_EQ(DWORD(ENHMETA_SIGNATURE), header.dSignature);
    ExpectLikeThePie(PlayedEnhanced(metafile), true);
    CloseClipboard();
}

TEST_F(PieExportTest, FailuresAreReportedOnceChartAndPageAreBack) {
    ShowData(cmdViewFolderInformation);
    TBusyClipboard busy;
    Clipboard.Target = &busy;
    Main.Command(cmdFilePieAsMetafile);
    Main.Command(cmdFilePieAsBitmap);
    EXPECT_EQ(2, busy.Tries);
    ASSERT_EQ(2u, Main.Boxes.Shown.size());
    for (const auto& box : Main.Boxes.Shown) {
        EXPECT_EQ("Cannot open clipboard: Access is denied.", box.Text);
        EXPECT_EQ("Quarrymap 2000", box.Caption);
        EXPECT_EQ(TMsgIcon::Error, box.Icon);
    }
    EXPECT_EQ(1, Main.Form->State().CurrentPage);
    EXPECT_TRUE(ChartOnItsBitmap());

    // A folder that does not exist: nothing written, the reason told.
    ExportToFile(L"missing\\chart.bmp", 4);
    ASSERT_EQ(3u, Main.Boxes.Shown.size());
    const std::string told = "Cannot create file \"" + Narrow(At(L"missing\\chart.PNG")) + "\". ";
    EXPECT_EQ(0u, Main.Boxes.Shown[2].Text.find(told)) << Main.Boxes.Shown[2].Text;
    EXPECT_GT(Main.Boxes.Shown[2].Text.size(), told.size() + 5);  // and why
    EXPECT_EQ(1, Main.Form->State().CurrentPage);
    EXPECT_TRUE(ChartOnItsBitmap());

    // Cancelled: nothing happens at all.
    SaveDialog.Answer.clear();
    Main.Command(cmdFilePieToFile);
    EXPECT_EQ(3u, Main.Boxes.Shown.size());
    EXPECT_EQ(1, Main.Form->State().CurrentPage);
}

TEST_F(PieExportTest, CommandsObjectServesTheWindowOnceAttached) {
    TFilterSaveDialog dialog;
    TPieExportCommands commands(dialog, Main.Boxes);
    Main.Parts.PieExport = &commands;
    Start();
    EXPECT_EQ(nullptr, commands.Export());
    commands.Attach(*Main.Form);
    ASSERT_NE(nullptr, commands.Export());
    Main.Options.IncludeWastedInformation = false;
    ScanWithToolbar('C');
    Click(*Node("C:\\Data"));
    Main.Command(cmdViewSubfolders);
    EXPECT_TRUE(Main.Form->IsCommandEnabled(cmdFilePieAsBitmap));

    ASSERT_TRUE(OpenClipboard(Main.Form->Handle()));
    EmptyClipboard();
    CloseClipboard();
    Main.Command(cmdFilePieAsBitmap);
    EXPECT_TRUE(Main.Boxes.Shown.empty());
    EXPECT_EQ(2, Main.Form->State().CurrentPage);
    EXPECT_TRUE(IsClipboardFormatAvailable(CF_DIB));

    dialog.Answer = At(L"hooked.bmp");
    dialog.ChosenFilter = 2;
    Main.Command(cmdFilePieToFile);
    EXPECT_EQ(1, dialog.Shown);
    EXPECT_EQ(0x9AC6CDD7u, Le32(ReadWholeFile(At(L"hooked.WMF")), 0));
}

}  // namespace
