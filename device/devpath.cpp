// The instrument's root and the full paths of its files.
#include "device/devpath.h"

#include <string.h>

const char kSetupFileName[] = "SETUP\\setupdata.txt";

static bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool FormDevicePath(char *out, const DeviceRoot *root, const char *relative)
{
    return FormPath(out, root->path, relative, "");
}

bool SetRootFromModulePath(DeviceRoot *root, const char *modulePath)
{
    bool hasDrive = modulePath && IsDriveLetter(modulePath[0]) &&
                    modulePath[1] == ':' && modulePath[2] == '\\';
    // Without a drive letter the scan still needs "X:\" to put letters into.
    SetRootToDrive(root, hasDrive ? modulePath[0] : 'C');
    return hasDrive;
}

void SetRootToDrive(DeviceRoot *root, char letter)
{
    memset(root->path, 0, sizeof root->path);
    root->path[0] = letter;
    root->path[1] = ':';
    root->path[2] = '\\';
    root->rootLength = 3;
}

bool SetRootFromSetupPath(DeviceRoot *root, const char *chosenPath)
{
    size_t length = strnlen(chosenPath, PATH_SIZE);
    size_t nameLength = sizeof kSetupFileName - 1;
    if (length >= PATH_SIZE || length < nameLength)
        return false;
    size_t rootLength = length - nameLength;
    // The instrument writes these names in exactly this case.
    if (strcmp(chosenPath + rootLength, kSetupFileName) != 0)
        return false;
    memset(root->path, 0, sizeof root->path);
    memcpy(root->path, chosenPath, rootLength);
    root->rootLength = (uint16_t)rootLength;
    return true;
}
