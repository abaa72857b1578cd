/* Byte order and library generation for the mathematics library's sources:
   every target here is little-endian x86 with IEEE 754 doubles, and the
   table-driven exp, log and pow are the ones wanted (not the obsolete). */
#ifndef TORVEN_MACHINE_IEEEFP_H
#define TORVEN_MACHINE_IEEEFP_H
#define __IEEE_LITTLE_ENDIAN
#define __OBSOLETE_MATH 0
#endif
