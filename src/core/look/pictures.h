// The twelve part pictures, drawn from vectors under resources/pictures.
#pragma once

#include <array>
#include <string_view>

namespace kelto::look {

// In loading order; the last three take the pictures 11, 10 and 09.
enum TPicture : int {
    kPictureMotor,
    kPictureResistance,
    kPictureLed,
    kPicturePushButton,
    kPictureKnifeSwitch,
    kPictureMcu,
    kPictureVcc,
    kPictureGnd,
    kPictureSpeaker,
    kPictureKeypad,
    kPictureMicphone,
    kPictureServoArm,
    kPictureCount
};

// File names without ".svg".
inline constexpr std::array<std::string_view, kPictureCount> kPictureNames{
    "BMP_00emf", "BMP_01emf", "BMP_02emf", "BMP_03emf", "BMP_04emf", "BMP_05emf",
    "BMP_06emf", "BMP_07emf", "BMP_08emf", "BMP_11emf", "BMP_10emf", "BMP_09emf"};

} // namespace kelto::look
