#pragma once
// Stands in for the header the IDL compiler would make from NobrelBase.idl: the interfaces
// declared there are the platform's own, so their real declarations are used.
#include <ole2.h>
