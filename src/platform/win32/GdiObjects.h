#pragma once
#include <windows.h>

// Owns a GDI object (pen, brush, bitmap, font) and deletes it once.
class TGdiObject {
public:
    explicit TGdiObject(HGDIOBJ object = nullptr) : Object(object) {}
    ~TGdiObject() {
        if (Object) DeleteObject(Object);
    }
    TGdiObject(const TGdiObject&) = delete;
    TGdiObject& operator=(const TGdiObject&) = delete;
    TGdiObject(TGdiObject&& other) noexcept : Object(other.Object) { other.Object = nullptr; }
    TGdiObject& operator=(TGdiObject&& other) noexcept {
        if (this != &other) {
            if (Object) DeleteObject(Object);
            Object = other.Object;
            other.Object = nullptr;
        }
        return *this;
    }

    HGDIOBJ Get() const { return Object; }
    HFONT Font() const { return static_cast<HFONT>(Object); }

private:
    HGDIOBJ Object;
};

// Selects an object into a device context for the life of the scope.
class TSelection {
public:
    TSelection(HDC dc, HGDIOBJ object) : Dc(dc), Previous(SelectObject(dc, object)) {}
    ~TSelection() { SelectObject(Dc, Previous); }
    TSelection(const TSelection&) = delete;
    TSelection& operator=(const TSelection&) = delete;

private:
    HDC Dc;
    HGDIOBJ Previous;
};

// Owns a memory device context from CreateCompatibleDC.
class TMemoryDc {
public:
    explicit TMemoryDc(HDC compatibleWith = nullptr) : Dc(CreateCompatibleDC(compatibleWith)) {}
    ~TMemoryDc() {
        if (Dc) DeleteDC(Dc);
    }
    TMemoryDc(const TMemoryDc&) = delete;
    TMemoryDc& operator=(const TMemoryDc&) = delete;

    HDC Get() const { return Dc; }

private:
    HDC Dc;
};
