/* A C program that uses the library through its public header only: it
 * shows that the header compiles as C, that the library links by the names
 * the header gives, and that a caller with nothing but C and OLE Automation
 * reads and releases what the exports hand out. Built against the build tree
 * and against an installed copy. Writes its TDL file into the current folder;
 * when TEDS_STANDARD_TEMPLATES names the standard template file, it also
 * decodes a real accelerometer with it. Exit status 0 when every check holds. */
#include <stdint.h>
#include <stdio.h>
#include <string.h>

#include <teds_vb6.h>

/* The 32-bit integer of the OLE Automation signatures. */
#if defined(_WIN32)
typedef LONG OleLong;
#else
typedef int32_t OleLong;
#endif

static int failures = 0;

#define EXPECT(condition)                                                      \
    do {                                                                       \
        if (!(condition)) {                                                    \
            fprintf(stderr, "%s:%d: failed: %s\n", __FILE__, __LINE__, #condition); \
            ++failures;                                                        \
        }                                                                      \
    } while (0)

static const char templateFile[] = "call_from_c.tdl";
static const char templateText[] =
    "TEMPLATE 0, 8, 40, \"Seen from C\"\n"
    "PHYSICAL_UNIT Volt, 0, 0, 0, 2, 1, -3, -1, 0, 0, 0, 1, 0\n"
    "%Count, \"A count\", ID, 8, UNINT, \"\", \"Volt\"\n"
    "ENDTEMPLATE\n"
    "VALIDATION_KEYCODE 1\n";

/* An image written least significant bit first. */
typedef struct {
    uint8_t bytes[16];
    uint32_t bitCount;
} Image;

static void putBits(Image* image, uint32_t width, uint32_t value) {
    for (uint32_t i = 0; i < width; ++i, ++image->bitCount) {
        if ((value >> i) & 1u) image->bytes[image->bitCount / 8] |= (uint8_t)(1u << (image->bitCount % 8));
    }
}

static int writeTemplateFile(void) {
    FILE* file = fopen(templateFile, "wb");
    if (!file) return 0;
    size_t written = fwrite(templateText, 1, sizeof templateText - 1, file);
    return fclose(file) == 0 && written == sizeof templateText - 1;
}

static void checkCount(DecodedTeds teds) {
    VARIANT value;
    VARIANT unitArray;
    BSTR unit = NULL;
    int32_t status = -1;
    VariantInit(&value);
    VariantInit(&unitArray);
    EXPECT(MirxTEDS_GetPropertyValueEx(teds, 0, "%Count", 0, &value, &unit, &unitArray, &status) == 1);
    EXPECT(value.vt == VT_UI4 && value.ulVal == 200);
    EXPECT(status == 0);

    static const char volt[] = "(m2*kg*s-3*A-1)";
    EXPECT(unit != NULL && SysStringByteLen(unit) == sizeof volt - 1 && memcmp(unit, volt, sizeof volt - 1) == 0);

    /* The unit array: type, nine exponents, slope, offset; the fourth is m's 2. */
    EXPECT(unitArray.vt == (VT_ARRAY | VT_R8));
    if (unitArray.vt == (VT_ARRAY | VT_R8)) {
        OleLong upper = -1;
        EXPECT(SafeArrayGetUBound(unitArray.parray, 1, &upper) == S_OK && upper == 11);
        OleLong index = 3;
        double exponent = 0;
        EXPECT(SafeArrayGetElement(unitArray.parray, &index, &exponent) == S_OK && exponent == 2.0);
    }
    SysFreeString(unit);
    VariantClear(&value);
    VariantClear(&unitArray);
}

#ifdef TEDS_STANDARD_TEMPLATES
/* A real accelerometer's TEDS (IEEE template 25), as its maker states it:
 * 49.03 V/g, that is 4.99967 V/(m/s^2). */
static void checkRealAccelerometer(void) {
    static const uint8_t image[] = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x64, 0x70, 0x1e, 0x0d,
                                    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x06};
    TedsParser parser = MirxTEDS_ParserCreate();
    EXPECT(MirxTEDS_ParseTDLFile(parser, TEDS_STANDARD_TEMPLATES) > 0);
    DecodedTeds teds = MirxTEDS_ParseTEDS(parser, image, (int32_t)sizeof image);
    int32_t key = -1, id = -1;
    EXPECT(MirxTEDS_GetTemplateInfo(teds, 0, &key, &id) == 1 && key == 0 && id == 25);

    VARIANT value;
    BSTR unit = NULL;
    VariantInit(&value);
    EXPECT(MirxTEDS_GetPropertyValue(teds, 0, "%Sens@Ref", 0, &value, &unit) == 1);
    const double voltsPerG = value.vt == VT_R8 ? value.dblVal * 9.80665 : 0.0;
    EXPECT(voltsPerG > 49.02 && voltsPerG < 49.04);
    SysFreeString(unit);
    VariantClear(&value);
    /* 49.03 V/g: 49.03 V gives one g. */
    double acceleration = 0.0;
    BSTR reason = NULL;
    EXPECT(MirxTEDS_ScaleValue(teds, 0, 0, 0.0, 0.0, 0.0, 0, 49.03, &acceleration, &reason) == 1);
    EXPECT(acceleration > 9.80 && acceleration < 9.81 && reason == NULL);
    MirxTEDS_FreeTEDS(teds);
    MirxTEDS_ParserDestroy(parser);
}
#endif

int main(void) {
    EXPECT(strcmp(MirxTEDS_GetVersion(), "0.1") == 0);
    EXPECT(MirxTEDS_CheckVersion(1) == 1);

    TedsParser parser = MirxTEDS_ParserCreate();
    EXPECT(parser != NULL);
    EXPECT(writeTemplateFile());
    EXPECT(MirxTEDS_ParseTDLFile(parser, templateFile) == 1);
    remove(templateFile);

    /* Basic TEDS: manufacturer 77, model 12345, version B7, serial 0xABCDEF;
     * then IEEE template 40 with %Count = 200. */
    Image image = {{0}, 0};
    putBits(&image, 14, 77);
    putBits(&image, 15, 12345);
    putBits(&image, 5, 2);
    putBits(&image, 6, 7);
    putBits(&image, 24, 0xABCDEF);
    putBits(&image, 2, 0);
    putBits(&image, 8, 40);
    putBits(&image, 8, 200);
    DecodedTeds teds = MirxTEDS_ParseTEDS(parser, image.bytes, (int32_t)((image.bitCount + 7) / 8));
    EXPECT(teds != NULL);

    int32_t manufacturer = 0, model = 0, version = 0, serial = 0;
    char letter = 0;
    EXPECT(MirxTEDS_GetBasicTEDS(teds, &manufacturer, &model, &letter, &version, &serial) == 1);
    EXPECT(manufacturer == 77 && model == 12345 && letter == 'B' && version == 7 && serial == 0xABCDEF);
    EXPECT(MirxTEDS_GetNumberTemplates(teds) == 1);
    checkCount(teds);

    /* Every TEDS handle before its parser. */
    MirxTEDS_FreeTEDS(teds);
    MirxTEDS_ParserDestroy(parser);

#ifdef TEDS_STANDARD_TEMPLATES
    checkRealAccelerometer();
#endif
    if (failures == 0) printf("all checks passed\n");
    return failures == 0 ? 0 : 1;
}
