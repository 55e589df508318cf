// Building one Job from the texts of a file-list row, window-free.
#pragma once
#include <cstdint>

#include "runner/job_records.h"

// The full path of a row into out (kJobPathSize bytes, zero-filled first):
// the folder, one "\" unless the folder's last character already is one,
// then the file name. An empty folder gives the bare file name. Folder and
// name are read up to 255 bytes each, so the result always fits.
void JoinJobPath(const char* folder, const char* name, char* out);

// Appends a Queued Job made from a row's texts; the size text is read
// leniently. Returns false, storing nothing, when the table is full.
bool StoreJob(JobTable& table, const char* folder, const char* name, const char* sizeText, int32_t row);
