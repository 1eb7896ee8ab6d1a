// The Device root and the forming of instrument file names behind it.
#include "device/devpath.h"

#include <string.h>

DeviceRoot g_deviceRoot = {{0}, 3};

const char kSetupFileName[] = "SETUP\\setupdata.txt";

static bool IsDriveLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool SetRootFromModulePath(const char *modulePath)
{
    memset(g_deviceRoot.path, 0, sizeof g_deviceRoot.path);
    g_deviceRoot.rootLength = 3;
    bool hasDrive = modulePath && IsDriveLetter(modulePath[0]) &&
                    modulePath[1] == ':' && modulePath[2] == '\\';
    // Without a drive letter the scan still needs "X:\" to put letters into.
    memcpy(g_deviceRoot.path, hasDrive ? modulePath : "C:\\", 3);
    return hasDrive;
}

bool FormDevicePath(const char *relative)
{
    size_t root = g_deviceRoot.rootLength;
    size_t length = strlen(relative);
    if (root >= DEVICE_PATH_SIZE || length >= DEVICE_PATH_SIZE - root) {
        if (root < DEVICE_PATH_SIZE)
            g_deviceRoot.path[root] = '\0';
        return false;
    }
    memcpy(g_deviceRoot.path + root, relative, length + 1);
    return true;
}

void SetRootToDrive(char letter)
{
    g_deviceRoot.path[0] = letter;
    g_deviceRoot.path[1] = ':';
    g_deviceRoot.path[2] = '\\';
    g_deviceRoot.path[3] = '\0';
    g_deviceRoot.rootLength = 3;
}

bool SetRootFromSetupPath(const char *chosenPath)
{
    size_t length = strnlen(chosenPath, DEVICE_PATH_SIZE);
    size_t nameLength = sizeof kSetupFileName - 1;
    if (length >= DEVICE_PATH_SIZE || length < nameLength)
        return false;
    size_t root = length - nameLength;
    // The instrument writes these names in exactly this case.
    if (strcmp(chosenPath + root, kSetupFileName) != 0)
        return false;
    memmove(g_deviceRoot.path, chosenPath, length + 1);
    g_deviceRoot.rootLength = (uint16_t)root;
    return true;
}
