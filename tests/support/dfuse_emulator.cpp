// An emulated STM32F4 DfuSe system bootloader, loaded in front of libusb-1.0 (LD_PRELOAD), so
// that the very dfu-util the program embeds can be run against units that are not there.
//
// Units live in $VELMORA_EMU_DIR/units/<SERIAL>/:
//   flash.bin (1 MiB at 0x08000000)  otp.bin (512 + 16 lock bytes at 0x1FFF7800)
//   option.bin (16 at 0x1FFFC000)    feature.bin (4 at 0xFFFF0000)
//   settings: key=value lines, read on every request:
//     alts=4|3           open_denied=1      busy=1           short_upload=1
//     hang=1             an erase does not finish while it is set
//     erase_error=1      write_error=1      leave_delay_ms=N (default 1000)
//     pace_f4=1          as slow as a real STM32F4: typical sector erase times of its data
//                        sheet (16 KiB 250 ms, 64 KiB 550 ms, 128 KiB 1 s), 16 us a word
//                        programmed, and a full-speed USB upload of about 500 KB/s
//     vanish_on=upload|erase|write|leave    vanish_after=N (that many such requests go through)
//     upload_error=otp|flash   every upload from that memory stalls; the unit stays
//   unplugged            present: the unit is not connected
//   usb_serial           present: the USB serial the unit reports instead of its folder's name,
//                        as UTF-8; a byte that is no UTF-8 is sent as a lone UTF-16 surrogate
//                        (0xDC00 + byte), as a faulty unit may; cut at the 126 code units
//                        a string descriptor holds
//   back_at              ms since the epoch at which a unit that left DFU mode is back
//   count_<kind>         requests of each kind so far (for vanish_after)
// Every change is written at once: dfu-util ends with exit() on errors and never closes.

#include <libusb-1.0/libusb.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

struct libusb_context {
    int unused;
};

struct libusb_device {
    std::string serial;
    uint8_t devnum;
    uint8_t port;
};

namespace {

enum DfuState : uint8_t {
    dfuIDLE = 2,
    dfuDNLOAD_SYNC = 3,
    dfuDNBUSY = 4,
    dfuDNLOAD_IDLE = 5,
    dfuMANIFEST = 7,
    dfuUPLOAD_IDLE = 9,
    dfuERROR = 10,
};

enum DfuStatus : uint8_t {
    OK = 0x00,
    errTARGET = 0x01,
    errWRITE = 0x03,
    errERASE = 0x04,
    errADDRESS = 0x08,
    errUNKNOWN = 0x0e,
};

constexpr uint16_t transfer_size = 2048;

struct Segment {
    uint32_t base;
    uint32_t size;
    const char* file;
    const char* name;
};

const Segment segments[4] = {
    {0x08000000u, 1024u * 1024u, "flash.bin", "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"},
    {0x1FFFC000u, 16u, "option.bin", "@Option Bytes  /0x1FFFC000/01*016 e"},
    {0x1FFF7800u, 512u + 16u, "otp.bin", "@OTP Memory /0x1FFF7800/01*512 e,01*016 e"},
    {0xFFFF0000u, 4u, "feature.bin", "@Device Feature/0xFFFF0000/01*004 e"},
};

// The F4's flash sectors: 4 of 16 KiB, 1 of 64 KiB, 7 of 128 KiB.
bool sector_of(uint32_t offset, uint32_t* start, uint32_t* size)
{
    uint32_t at = 0;
    for (int i = 0; i < 12; ++i) {
        const uint32_t s = i < 4 ? 16384u : i == 4 ? 65536u : 131072u;
        if (offset < at + s) {
            *start = at;
            *size = s;
            return true;
        }
        at += s;
    }
    return false;
}

std::string state_dir()
{
    const char* dir = std::getenv("VELMORA_EMU_DIR");
    return dir ? dir : "/tmp/velmora-emulator";
}

std::string unit_dir(const std::string& serial)
{
    return state_dir() + "/units/" + serial;
}

long long now_ms()
{
    timeval tv{};
    gettimeofday(&tv, nullptr);
    return static_cast<long long>(tv.tv_sec) * 1000 + tv.tv_usec / 1000;
}

bool exists(const std::string& path)
{
    struct stat st{};
    return stat(path.c_str(), &st) == 0;
}

std::string read_text(const std::string& path)
{
    std::string text;
    if (FILE* f = std::fopen(path.c_str(), "r")) {
        char buf[512];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0)
            text.append(buf, n);
        std::fclose(f);
    }
    return text;
}

void write_text(const std::string& path, const std::string& text)
{
    if (FILE* f = std::fopen(path.c_str(), "w")) {
        std::fwrite(text.data(), 1, text.size(), f);
        std::fclose(f);
    }
}

long setting(const std::string& serial, const char* key, long fallback)
{
    const std::string text = read_text(unit_dir(serial) + "/settings");
    const std::string wanted = std::string(key) + "=";
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        const std::string line = text.substr(at, end - at);
        if (line.compare(0, wanted.size(), wanted) == 0)
            return std::strtol(line.c_str() + wanted.size(), nullptr, 0);
        at = end + 1;
    }
    return fallback;
}

std::string setting_text(const std::string& serial, const char* key)
{
    const std::string text = "\n" + read_text(unit_dir(serial) + "/settings");
    const std::string wanted = std::string("\n") + key + "=";
    const size_t at = text.find(wanted);
    if (at == std::string::npos)
        return {};
    const size_t from = at + wanted.size();
    return text.substr(from, text.find('\n', from) - from);
}

bool present(const std::string& serial)
{
    const std::string dir = unit_dir(serial);
    if (!exists(dir + "/flash.bin") || exists(dir + "/unplugged"))
        return false;
    const std::string back = read_text(dir + "/back_at");
    return back.empty() || now_ms() >= std::atoll(back.c_str());
}

void unplug(const std::string& serial)
{
    write_text(unit_dir(serial) + "/unplugged", "vanished\n");
}

// Counts a request of a kind; true when the unit is to vanish at this one.
bool vanishes_at(const std::string& serial, const char* kind)
{
    const std::string path = unit_dir(serial) + "/count_" + kind;
    const long count = std::atol(read_text(path).c_str()) + 1;
    write_text(path, std::to_string(count) + "\n");
    if (setting_text(serial, "vanish_on") != kind)
        return false;
    if (count > setting(serial, "vanish_after", 0)) {
        unplug(serial);
        return true;
    }
    return false;
}

bool memory_io(const std::string& serial, int alt, uint32_t offset, uint8_t* data, uint32_t length, bool write)
{
    const std::string path = unit_dir(serial) + "/" + segments[alt].file;
    const int fd = open(path.c_str(), write ? O_RDWR : O_RDONLY);
    if (fd < 0)
        return false;
    bool ok;
    if (write) {
        // Flash programming can only clear bits: writing over unerased flash corrupts it.
        std::vector<uint8_t> old(length, 0xff);
        ok = pread(fd, old.data(), length, offset) >= 0;
        for (uint32_t i = 0; i < length; ++i)
            old[i] &= data[i];
        ok = ok && pwrite(fd, old.data(), length, offset) == static_cast<ssize_t>(length);
    } else {
        std::memset(data, 0xff, length);
        ok = pread(fd, data, length, offset) >= 0;
    }
    close(fd);
    return ok;
}

void erase_range(const std::string& serial, uint32_t offset, uint32_t size)
{
    std::vector<uint8_t> erased(size, 0xff);
    const std::string path = unit_dir(serial) + "/flash.bin";
    const int fd = open(path.c_str(), O_RDWR);
    if (fd >= 0) {
        (void)!pwrite(fd, erased.data(), size, offset);
        close(fd);
    }
}

enum class Pending { none, set_address, erase, write, leave };

} // namespace

struct libusb_device_handle {
    libusb_device* dev = nullptr;
    int alt = 0;
    uint8_t state = dfuIDLE;
    uint8_t status = OK;
    uint32_t address = 0x08000000u;
    Pending pending = Pending::none;
    uint32_t pending_address = 0;
    uint16_t pending_block = 0;
    std::vector<uint8_t> pending_data;
    uint8_t after_busy_state = dfuDNLOAD_IDLE;
    bool erasing = false; // the command under way is an erase
    uint8_t after_busy_status = OK;
    bool left = false;
};

namespace {

std::vector<libusb_device*>& known_devices()
{
    static std::vector<libusb_device*> devices; // live for the whole process, as libusb's may
    return devices;
}

libusb_device* device_for(const std::string& serial)
{
    for (libusb_device* d : known_devices())
        if (d->serial == serial)
            return d;
    auto* d = new libusb_device{serial, static_cast<uint8_t>(5 + known_devices().size()),
                                static_cast<uint8_t>(1 + known_devices().size())};
    known_devices().push_back(d);
    return d;
}

// UTF-16 code units of a text taken as UTF-8, each byte that is none as a lone surrogate.
std::vector<uint16_t> utf16(const std::string& text)
{
    std::vector<uint16_t> units;
    for (size_t i = 0; i < text.size();) {
        const auto byte = [&text](size_t at) { return at < text.size() ? static_cast<uint8_t>(text[at]) : 0u; };
        const uint8_t lead = byte(i);
        const size_t n = lead < 0x80 ? 1 : (lead & 0xe0) == 0xc0 ? 2 : (lead & 0xf0) == 0xe0 ? 3 : (lead & 0xf8) == 0xf0 ? 4 : 0;
        uint32_t c = n == 1 ? lead : n == 2 ? lead & 0x1f : n == 3 ? lead & 0x0f : lead & 0x07;
        bool valid = n > 0;
        for (size_t k = 1; valid && k < n; ++k) {
            valid = (byte(i + k) & 0xc0) == 0x80;
            c = c << 6 | (byte(i + k) & 0x3f);
        }
        if (!valid || (n > 1 && c < (n == 2 ? 0x80u : n == 3 ? 0x800u : 0x10000u)) || c > 0x10ffff
            || (c >= 0xd800 && c <= 0xdfff)) {
            units.push_back(static_cast<uint16_t>(0xdc00 | lead));
            ++i;
            continue;
        }
        if (c >= 0x10000) {
            units.push_back(static_cast<uint16_t>(0xd800 | (c - 0x10000) >> 10));
            units.push_back(static_cast<uint16_t>(0xdc00 | (c & 0x3ff)));
        } else {
            units.push_back(static_cast<uint16_t>(c));
        }
        i += n;
    }
    return units;
}

int string_descriptor(const libusb_device* dev, uint8_t index, unsigned char* data, uint16_t length)
{
    std::string text;
    if (index == 0) {
        const unsigned char langids[4] = {4, LIBUSB_DT_STRING, 0x09, 0x04};
        const int n = std::min<int>(length, 4);
        std::memcpy(data, langids, n);
        return n;
    }
    if (index == 1)
        text = "STMicroelectronics";
    else if (index == 2)
        text = "STM32  BOOTLOADER";
    else if (index == 3)
        text = exists(unit_dir(dev->serial) + "/usb_serial") ? read_text(unit_dir(dev->serial) + "/usb_serial") : dev->serial;
    else if (index >= 4 && index < 8)
        text = segments[index - 4].name;
    else
        return LIBUSB_ERROR_PIPE;
    std::vector<uint16_t> units = utf16(text);
    units.resize(std::min<size_t>(units.size(), 126)); // a descriptor's length is one byte
    std::vector<unsigned char> out;
    out.push_back(static_cast<unsigned char>(2 + 2 * units.size()));
    out.push_back(LIBUSB_DT_STRING);
    for (const uint16_t c : units) {
        out.push_back(static_cast<unsigned char>(c & 0xff));
        out.push_back(static_cast<unsigned char>(c >> 8));
    }
    const int n = std::min<int>(length, static_cast<int>(out.size()));
    std::memcpy(data, out.data(), n);
    return n;
}

const unsigned char functional_descriptor[9] = {9, 0x21, 0x0b, 0xff, 0x00, 0x00, 0x08, 0x1a, 0x01};

// Carries out the command given by the last DNLOAD; its outcome is what the status after
// the busy reply tells.
void execute(libusb_device_handle* h)
{
    const std::string& serial = h->dev->serial;
    h->after_busy_state = dfuDNLOAD_IDLE;
    h->after_busy_status = OK;
    const auto fail = [h](uint8_t status) {
        h->after_busy_state = dfuERROR;
        h->after_busy_status = status;
    };
    switch (h->pending) {
    case Pending::set_address:
        h->address = h->pending_address;
        break;
    case Pending::erase: {
        const uint32_t base = segments[0].base;
        uint32_t start = 0, size = 0;
        if (h->pending_address < base || !sector_of(h->pending_address - base, &start, &size))
            fail(errADDRESS);
        else if (setting(serial, "erase_error", 0))
            fail(errERASE);
        else {
            if (setting(serial, "pace_f4", 0))
                usleep(size <= 16384 ? 250000 : size <= 65536 ? 550000 : 1000000);
            erase_range(serial, start, size);
        }
        break;
    }
    case Pending::write: {
        const Segment& seg = segments[h->alt];
        const uint32_t at = h->address + (h->pending_block - 2u) * transfer_size;
        const uint32_t len = static_cast<uint32_t>(h->pending_data.size());
        if (at < seg.base || at + len > seg.base + seg.size)
            fail(errADDRESS);
        else if (setting(serial, "write_error", 0))
            fail(errWRITE);
        else if (!memory_io(serial, h->alt, at - seg.base, h->pending_data.data(), len, true))
            fail(errWRITE);
        else if (setting(serial, "pace_f4", 0))
            usleep(len / 4 * 16);
        break;
    }
    case Pending::leave:
    case Pending::none:
        break;
    }
}

} // namespace

extern "C" {

int LIBUSB_CALL libusb_init(libusb_context** ctx)
{
    if (ctx)
        *ctx = new libusb_context{0};
    return 0;
}

void LIBUSB_CALL libusb_exit(libusb_context* ctx)
{
    delete ctx;
}

int LIBUSB_CALL libusb_set_option(libusb_context*, enum libusb_option, ...)
{
    return 0;
}

const struct libusb_version* LIBUSB_CALL libusb_get_version(void)
{
    static const libusb_version version = {1, 0, 26, 11724, "", "velmora dfuse emulator"};
    return &version;
}

const char* LIBUSB_CALL libusb_error_name(int code)
{
    switch (code) {
    case LIBUSB_SUCCESS: return "LIBUSB_SUCCESS";
    case LIBUSB_ERROR_IO: return "LIBUSB_ERROR_IO";
    case LIBUSB_ERROR_INVALID_PARAM: return "LIBUSB_ERROR_INVALID_PARAM";
    case LIBUSB_ERROR_ACCESS: return "LIBUSB_ERROR_ACCESS";
    case LIBUSB_ERROR_NO_DEVICE: return "LIBUSB_ERROR_NO_DEVICE";
    case LIBUSB_ERROR_NOT_FOUND: return "LIBUSB_ERROR_NOT_FOUND";
    case LIBUSB_ERROR_BUSY: return "LIBUSB_ERROR_BUSY";
    case LIBUSB_ERROR_TIMEOUT: return "LIBUSB_ERROR_TIMEOUT";
    case LIBUSB_ERROR_OVERFLOW: return "LIBUSB_ERROR_OVERFLOW";
    case LIBUSB_ERROR_PIPE: return "LIBUSB_ERROR_PIPE";
    case LIBUSB_ERROR_INTERRUPTED: return "LIBUSB_ERROR_INTERRUPTED";
    case LIBUSB_ERROR_NO_MEM: return "LIBUSB_ERROR_NO_MEM";
    case LIBUSB_ERROR_NOT_SUPPORTED: return "LIBUSB_ERROR_NOT_SUPPORTED";
    default: return "LIBUSB_ERROR_OTHER";
    }
}

ssize_t LIBUSB_CALL libusb_get_device_list(libusb_context*, libusb_device*** list)
{
    std::vector<std::string> serials;
    if (DIR* dir = opendir((state_dir() + "/units").c_str())) {
        while (dirent* entry = readdir(dir))
            if (entry->d_name[0] != '.' && present(entry->d_name))
                serials.push_back(entry->d_name);
        closedir(dir);
    }
    std::sort(serials.begin(), serials.end());
    auto** out = static_cast<libusb_device**>(std::calloc(serials.size() + 1, sizeof(libusb_device*)));
    for (size_t i = 0; i < serials.size(); ++i)
        out[i] = device_for(serials[i]);
    *list = out;
    return static_cast<ssize_t>(serials.size());
}

void LIBUSB_CALL libusb_free_device_list(libusb_device** list, int)
{
    std::free(list);
}

libusb_device* LIBUSB_CALL libusb_ref_device(libusb_device* dev)
{
    return dev;
}

void LIBUSB_CALL libusb_unref_device(libusb_device*) {}

int LIBUSB_CALL libusb_get_device_descriptor(libusb_device*, struct libusb_device_descriptor* desc)
{
    std::memset(desc, 0, sizeof *desc);
    desc->bLength = LIBUSB_DT_DEVICE_SIZE;
    desc->bDescriptorType = LIBUSB_DT_DEVICE;
    desc->bcdUSB = 0x0200;
    desc->bMaxPacketSize0 = 64;
    desc->idVendor = 0x0483;
    desc->idProduct = 0xdf11;
    desc->bcdDevice = 0x2200;
    desc->iManufacturer = 1;
    desc->iProduct = 2;
    desc->iSerialNumber = 3;
    desc->bNumConfigurations = 1;
    return 0;
}

int LIBUSB_CALL libusb_get_config_descriptor(libusb_device* dev, uint8_t index, struct libusb_config_descriptor** config)
{
    if (index != 0)
        return LIBUSB_ERROR_NOT_FOUND;
    const int alts = static_cast<int>(std::clamp(setting(dev->serial, "alts", 4), 1L, 4L));
    auto* c = static_cast<libusb_config_descriptor*>(std::calloc(1, sizeof(libusb_config_descriptor)));
    auto* intf = static_cast<libusb_interface*>(std::calloc(1, sizeof(libusb_interface)));
    auto* settings = static_cast<libusb_interface_descriptor*>(std::calloc(alts, sizeof(libusb_interface_descriptor)));
    for (int i = 0; i < alts; ++i) {
        settings[i].bLength = LIBUSB_DT_INTERFACE_SIZE;
        settings[i].bDescriptorType = LIBUSB_DT_INTERFACE;
        settings[i].bInterfaceNumber = 0;
        settings[i].bAlternateSetting = static_cast<uint8_t>(i);
        settings[i].bInterfaceClass = 0xfe;
        settings[i].bInterfaceSubClass = 0x01;
        settings[i].bInterfaceProtocol = 0x02;
        settings[i].iInterface = static_cast<uint8_t>(4 + i);
    }
    // The DFU functional descriptor follows the last alternate setting, as on a real unit.
    auto* extra = static_cast<unsigned char*>(std::malloc(sizeof functional_descriptor));
    std::memcpy(extra, functional_descriptor, sizeof functional_descriptor);
    settings[alts - 1].extra = extra;
    settings[alts - 1].extra_length = sizeof functional_descriptor;
    intf->altsetting = settings;
    intf->num_altsetting = alts;
    c->bLength = LIBUSB_DT_CONFIG_SIZE;
    c->bDescriptorType = LIBUSB_DT_CONFIG;
    c->bNumInterfaces = 1;
    c->bConfigurationValue = 1;
    c->bmAttributes = 0x80;
    c->MaxPower = 50;
    c->interface = intf;
    *config = c;
    return 0;
}

void LIBUSB_CALL libusb_free_config_descriptor(struct libusb_config_descriptor* config)
{
    if (!config)
        return;
    if (config->interface) {
        const libusb_interface* intf = config->interface;
        for (int i = 0; i < intf->num_altsetting; ++i)
            std::free(const_cast<unsigned char*>(intf->altsetting[i].extra));
        std::free(const_cast<libusb_interface_descriptor*>(intf->altsetting));
        std::free(const_cast<libusb_interface*>(intf));
    }
    std::free(config);
}

uint8_t LIBUSB_CALL libusb_get_bus_number(libusb_device*)
{
    return 1;
}

int LIBUSB_CALL libusb_get_port_numbers(libusb_device* dev, uint8_t* ports, int length)
{
    if (length < 1)
        return LIBUSB_ERROR_OVERFLOW;
    ports[0] = dev->port;
    return 1;
}

uint8_t LIBUSB_CALL libusb_get_device_address(libusb_device* dev)
{
    return dev->devnum;
}

int LIBUSB_CALL libusb_open(libusb_device* dev, libusb_device_handle** handle)
{
    if (!present(dev->serial))
        return LIBUSB_ERROR_NO_DEVICE;
    // What a missing udev rule looks like.
    if (setting(dev->serial, "open_denied", 0))
        return LIBUSB_ERROR_ACCESS;
    auto* opened = new libusb_device_handle;
    opened->dev = dev;
    *handle = opened;
    return 0;
}

void LIBUSB_CALL libusb_close(libusb_device_handle* handle)
{
    delete handle;
}

int LIBUSB_CALL libusb_claim_interface(libusb_device_handle* h, int)
{
    return present(h->dev->serial) ? 0 : LIBUSB_ERROR_NO_DEVICE;
}

int LIBUSB_CALL libusb_release_interface(libusb_device_handle*, int)
{
    return 0;
}

int LIBUSB_CALL libusb_set_interface_alt_setting(libusb_device_handle* h, int, int alt)
{
    if (!present(h->dev->serial))
        return LIBUSB_ERROR_NO_DEVICE;
    if (alt < 0 || alt >= setting(h->dev->serial, "alts", 4))
        return LIBUSB_ERROR_NOT_FOUND;
    h->alt = alt;
    return 0;
}

int LIBUSB_CALL libusb_reset_device(libusb_device_handle*)
{
    return LIBUSB_ERROR_NOT_FOUND;
}

int LIBUSB_CALL libusb_control_transfer(libusb_device_handle* h, uint8_t request_type, uint8_t request,
                                        uint16_t value, uint16_t index, unsigned char* data, uint16_t length,
                                        unsigned int)
{
    const std::string& serial = h->dev->serial;
    if (h->left || !present(serial))
        return LIBUSB_ERROR_NO_DEVICE;

    if (request_type == 0x80 && request == LIBUSB_REQUEST_GET_DESCRIPTOR) {
        const uint8_t type = value >> 8;
        if (type == LIBUSB_DT_STRING)
            return string_descriptor(h->dev, value & 0xff, data, length);
        if (type == 0x21) {
            const int n = std::min<int>(length, sizeof functional_descriptor);
            std::memcpy(data, functional_descriptor, n);
            return n;
        }
        return LIBUSB_ERROR_PIPE;
    }
    if ((request_type & 0x7f) != 0x21 || index != 0)
        return LIBUSB_ERROR_PIPE;

    switch (request) {
    case 1: // DNLOAD
        if (value == 0) {
            if (length == 5 && (data[0] == 0x21 || data[0] == 0x41)) {
                const uint32_t address = data[1] | data[2] << 8 | data[3] << 16 | static_cast<uint32_t>(data[4]) << 24;
                if (data[0] == 0x41 && vanishes_at(serial, "erase"))
                    return LIBUSB_ERROR_NO_DEVICE;
                h->pending = data[0] == 0x21 ? Pending::set_address : Pending::erase;
                h->pending_address = address;
            } else {
                h->pending = Pending::none;
            }
        } else if (length == 0) {
            h->pending = Pending::leave;
        } else {
            if (vanishes_at(serial, "write"))
                return LIBUSB_ERROR_NO_DEVICE;
            h->pending = Pending::write;
            h->pending_block = value;
            h->pending_data.assign(data, data + length);
        }
        h->state = dfuDNLOAD_SYNC;
        return length;

    case 2: { // UPLOAD
        if (value == 0) { // the DfuSe command list
            const unsigned char commands[4] = {0x00, 0x21, 0x41, 0x92};
            const int n = std::min<int>(length, 4);
            std::memcpy(data, commands, n);
            return n;
        }
        if (vanishes_at(serial, "upload"))
            return LIBUSB_ERROR_NO_DEVICE;
        // The unit stays, but the memory cannot be read: the first read of flash is the
        // firmware information.
        const std::string failing = setting_text(serial, "upload_error");
        if ((failing == "otp" && h->alt == 2) || (failing == "flash" && h->alt == 0)) {
            h->state = dfuERROR;
            h->status = errUNKNOWN;
            return LIBUSB_ERROR_PIPE;
        }
        if (setting(serial, "pace_f4", 0))
            usleep(length * 2); // about 500 KB/s
        const Segment& seg = segments[h->alt];
        const uint32_t at = h->address + (value - 2u) * transfer_size;
        if (at < seg.base || at >= seg.base + seg.size) {
            h->state = dfuERROR;
            h->status = errADDRESS;
            return LIBUSB_ERROR_PIPE;
        }
        uint32_t n = std::min<uint32_t>(length, seg.base + seg.size - at);
        if (setting(serial, "short_upload", 0))
            n = n / 2;
        memory_io(serial, h->alt, at - seg.base, data, n, false);
        h->state = dfuUPLOAD_IDLE;
        return static_cast<int>(n);
    }

    case 3: { // GETSTATUS
        if (length < 6)
            return LIBUSB_ERROR_OVERFLOW;
        uint8_t state = h->state;
        uint8_t status = h->status;
        if (h->state == dfuDNLOAD_SYNC) {
            if (h->pending == Pending::leave) {
                if (vanishes_at(serial, "leave"))
                    return LIBUSB_ERROR_NO_DEVICE;
                // The unit starts its firmware and is back in DFU mode a moment later.
                state = dfuMANIFEST;
                status = OK;
                h->left = true;
                write_text(unit_dir(serial) + "/back_at",
                           std::to_string(now_ms() + setting(serial, "leave_delay_ms", 1000)) + "\n");
            } else {
                h->erasing = h->pending == Pending::erase;
                execute(h);
                state = dfuDNBUSY;
                status = OK;
                h->state = dfuDNBUSY;
            }
            h->pending = Pending::none;
        } else if (h->state == dfuDNBUSY) {
            // A unit that stops answering in the middle of an erase: the request does not
            // return for as long as the setting stands.
            while (h->erasing && setting(serial, "hang", 0))
                usleep(100000);
            if (setting(serial, "busy", 0)) {
                state = dfuDNBUSY;
            } else {
                h->state = state = h->after_busy_state;
                h->status = status = h->after_busy_status;
            }
        }
        data[0] = status;
        data[1] = data[2] = data[3] = 0; // poll timeout: none
        data[4] = state;
        data[5] = 0;
        return 6;
    }

    case 4: // CLRSTATUS
        h->state = dfuIDLE;
        h->status = OK;
        return 0;

    case 5: // GETSTATE
        if (length < 1)
            return LIBUSB_ERROR_OVERFLOW;
        data[0] = h->state;
        return 1;

    case 6: // ABORT
        h->state = dfuIDLE;
        h->pending = Pending::none;
        return 0;

    default:
        h->state = dfuERROR;
        h->status = errUNKNOWN;
        return LIBUSB_ERROR_PIPE;
    }
}

} // extern "C"
