#pragma once

namespace Tarn
{
	// Private base for things that exist once and must never be copied by accident.
	class Noncopyable
	{
	protected:
		Noncopyable() = default;
		~Noncopyable() = default;

	public:
		Noncopyable( const Noncopyable& ) = delete;
		Noncopyable& operator=( const Noncopyable& ) = delete;
	};
}
