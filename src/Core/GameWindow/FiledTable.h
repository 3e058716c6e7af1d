#pragma once

#include <cstdint>
#include <iterator>
#include <map>

namespace Tarn
{
	// The game's update or draw table: entries filed under the order they had when
	// filed, walked in ascending order (ties in filing order). An entry whose order
	// changed is re-filed when the walk reaches it; one whose order fell is served at
	// once, since its new place lies behind the walk, and one whose order grew is
	// served where it lands further on. Entries may be added or erased while a walk
	// is in progress.
	template <typename T>
	class FiledTable
	{
	public:
		using Map = std::multimap<int32_t, T*>;

		void File( T* item, int32_t order ) { mEntries.emplace( order, item ); }

		// Erases the first entry under `order` that holds `item`.
		void EraseFirst( T* item, int32_t order )
		{
			auto [first, last] = mEntries.equal_range( order );
			for ( auto it = first; it != last; ++it )
			{
				if ( it->second == item )
				{
					Erase( it );
					return;
				}
			}
		}

		// Erases every entry that holds `item`, wherever it is filed.
		void EraseAll( T* item )
		{
			for ( auto it = mEntries.begin(); it != mEntries.end(); )
			{
				auto next = std::next( it );
				if ( it->second == item )
					Erase( it );
				it = next;
			}
		}

		// order( item ) gives the current order, serve( item ) runs it when active.
		template <typename OrderOf, typename Serve>
		void Walk( OrderOf order, Serve serve )
		{
			++mWalkDepth;
			auto it = mEntries.begin();
			while ( it != mEntries.end() )
			{
				mCurrent = it;
				mCurrentErased = false;
				mNext = std::next( it );
				T* item = it->second;
				const int32_t filedUnder = it->first;
				const int32_t now = order( item );

				if ( filedUnder == now )
					serve( item );
				else
				{
					if ( filedUnder > now )
						serve( item );
					if ( !mCurrentErased )
					{
						mEntries.emplace( order( item ), item );
						mNext = std::next( it );
						Erase( it );
					}
				}
				it = mNext;
			}
			--mWalkDepth;
		}

		size_t Size() const { return mEntries.size(); }
		size_t Count( const T* item ) const
		{
			size_t count = 0;
			for ( const auto& entry : mEntries )
				count += entry.second == item;
			return count;
		}
		const Map& Entries() const { return mEntries; }

	private:
		void Erase( typename Map::iterator it )
		{
			if ( mWalkDepth > 0 )
			{
				if ( it == mNext )
					++mNext;
				if ( it == mCurrent )
					mCurrentErased = true;
			}
			mEntries.erase( it );
		}

		Map mEntries;
		int mWalkDepth = 0;
		typename Map::iterator mCurrent{};
		typename Map::iterator mNext{};
		bool mCurrentErased = false;
	};
}
