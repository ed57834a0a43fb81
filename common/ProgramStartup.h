#pragma once
// The start-up steps both programs share: the framework's resources, the skin package beside the
// program and its styles. Each program calls them in its own order around the camera library.

#include <cstdint>
#include <memory>

// The style manager and the resource folder (the program folder followed by "skin").
void SetUpSkinResources();

// The restored archive of "skin.dll" beside the program, kept by the caller for the whole run;
// null (the loader has printed why) when it cannot be loaded.
std::unique_ptr<unsigned char[]> LoadSkinBesideProgram(std::uint32_t& size);

// Hands the archive to the framework, then loads "style.xml" and applies "light blue".
void UseSkin(unsigned char* archive, std::uint32_t size);
