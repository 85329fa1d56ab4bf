#pragma once

#include <cstddef>
#include <cstdint>

// The fuzz targets' entry functions, shared by the libFuzzer programs and by the replay test that
// runs every committed input in the ordinary builds. Each returns 0; a broken invariant ends the
// process through qFatal, so that libFuzzer and the replay test alike count it as a crash.

// Builds what the reply target needs: the application object (the SQL driver is a plug-in) and
// the program's database in memory. Later calls do nothing.
void fuzzRepliesSetUp();

// The input is a sequence of the unit's datagrams separated by NUL bytes (a datagram never holds
// one: the socket side cuts it at the first), each handed as UTF-8 text to one fresh reply
// interpreter. Whatever the input changed in the database is undone afterwards.
int fuzzReplies(const uint8_t* data, size_t size);

// The input is the text of one PDU line, up to its first NUL.
int fuzzPdu(const uint8_t* data, size_t size);
