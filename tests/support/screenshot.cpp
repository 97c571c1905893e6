#include "screenshot.h"

#include "message_pump.h"
#include "unix_command.h"
#include "x_input.h"

#include <fstream>
#include <string>

namespace testing_support {
namespace {

// A binary PPM ("P6"), as `import ... ppm:FILE` writes it with 8 bits a sample.
Screenshot ReadPpm(const std::string& path, POINT origin) {
    std::ifstream in(path, std::ios::binary);
    std::string magic;
    LONG width = 0, height = 0, maximum = 0;
    if (!(in >> magic >> width >> height >> maximum) || magic != "P6" || maximum != 255 ||
        width <= 0 || height <= 0) {
        return {};
    }
    in.get(); // the one white-space character before the samples
    std::vector<BYTE> rgb(static_cast<size_t>(width) * height * 3);
    if (!in.read(reinterpret_cast<char*>(rgb.data()), static_cast<std::streamsize>(rgb.size()))) {
        return {};
    }
    return Screenshot(width, height, std::move(rgb), origin);
}

} // namespace

Screenshot::Screenshot(LONG width, LONG height, std::vector<BYTE> rgb, POINT origin)
    : width_(width), height_(height), rgb_(std::move(rgb)), origin_(origin) {}

COLORREF Screenshot::Pixel(POINT point) const {
    point.x -= origin_.x;
    point.y -= origin_.y;
    if (point.x < 0 || point.y < 0 || point.x >= width_ || point.y >= height_) {
        return CLR_INVALID;
    }
    const BYTE* sample = &rgb_[(static_cast<size_t>(point.y) * width_ + point.x) * 3];
    return RGB(sample[0], sample[1], sample[2]);
}

Screenshot TakeScreenshot() {
    const std::string file = UniqueTemporaryFile(".ppm");
    // The virtual desktop's own X window, whose origin is the Windows screen's wherever it sits;
    // without one, the X root.
    const bool onDesktop = xinput::OnVirtualDesktop();
    const std::string window = onDesktop ? std::string("$(xdotool search --name ") +
                                               xinput::kDesktopSearch + " | head -n 1)"
                                         : std::string("root");
    const auto code = RunUnixCommand("import -window \"" + window + "\" -depth 8 ppm:" + file);
    const std::string windowsPath = WindowsPathOf(file);
    const POINT origin = onDesktop ? POINT{0, 0} : xinput::RootOrigin();
    Screenshot shot = code == 0 ? ReadPpm(windowsPath, origin) : Screenshot();
    DeleteFileA(windowsPath.c_str());
    return shot;
}

Screenshot TakeScreenshotWhen(const std::function<bool(const Screenshot&)>& shows,
                              DWORD timeoutMs) {
    Screenshot shot;
    PumpUntil(
        [&] {
            shot = TakeScreenshot();
            return shot.Taken() && shows(shot);
        },
        timeoutMs);
    return shot;
}

} // namespace testing_support
