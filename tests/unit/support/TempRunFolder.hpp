#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <system_error>

// A fresh run-time folder under the system's temporary folder, holding an empty data/, removed
// with everything in it when the object goes. Files come from the run-time folder the tests were
// started in, so a test never touches the scores or files of the build folder.
class TempRunFolder {
public:
    TempRunFolder() : home(std::filesystem::current_path())
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestrivon-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        root = pattern;
        std::filesystem::create_directory(root / "data");
    }

    ~TempRunFolder()
    {
        std::error_code ignored;
        std::filesystem::current_path(home, ignored);
        std::filesystem::remove_all(root, ignored);
    }

    TempRunFolder(const TempRunFolder&) = delete;
    TempRunFolder& operator=(const TempRunFolder&) = delete;

    const std::filesystem::path& path() const { return root; }

    // Makes this the working folder until the object goes: the game reads data/ from there.
    void enter() const { std::filesystem::current_path(root); }

    // Links every file under the original data/ here, except the one named (e.g. "Font/Text.ttf").
    void linkDataExcept(const std::string& missing) const
    {
        for (const auto& entry : std::filesystem::recursive_directory_iterator(home / "data")) {
            const std::filesystem::path relative = std::filesystem::relative(entry.path(), home);
            if (entry.is_directory())
                std::filesystem::create_directories(root / relative);
            else if (relative.generic_string() != "data/" + missing)
                std::filesystem::create_symlink(entry.path(), root / relative);
        }
    }

    void write(const std::filesystem::path& relative, const std::string& text) const
    {
        std::ofstream(root / relative, std::ios::binary | std::ios::trunc) << text;
    }

    std::string read(const std::filesystem::path& relative) const
    {
        std::ifstream in(root / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

private:
    std::filesystem::path home;
    std::filesystem::path root;
};
