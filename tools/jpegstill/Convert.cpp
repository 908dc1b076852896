#include "Convert.h"

#include "JpegStillWriter.h"
#include "PictureFile.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace kyvo::jpegstill {

std::string convertFile(const std::string& input, const std::string& output) {
    std::ifstream in(input, std::ios::binary);
    if (!in)
        return input + ": cannot be opened";
    const std::vector<std::uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        return input + ": cannot be read";
    const ReadResult read = readPicture(file);
    if (const auto* error = std::get_if<ReadError>(&read))
        return input + ": " + error->message;
    const Bitmap& bitmap = std::get<Bitmap>(read);
    imaging::JpegStillWriter writer;
    if (!writer.prepare(bitmap.header, bitmap.pixels.data(), bitmap.pixels.size()))
        return input + ": the picture was refused";
    if (!writer.write(output))
        return output + ": cannot be written";
    return {};
}

} // namespace kyvo::jpegstill
