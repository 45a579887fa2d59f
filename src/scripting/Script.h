#pragma once
// Placeholder until the script engine lands.
class CScript {};
